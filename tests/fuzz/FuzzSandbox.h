#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// What every fuzz target runs in: a temporary program folder (WARDIX_HOME)
// and profile, a core application, message boxes answered without showing
// (No where a question is asked) and no file opened with the desktop. Set
// up by the first call; the folder goes when the process ends.
class FuzzSandbox
{
public:
    static FuzzSandbox& Get();

    // A path below the sandbox's own folder.
    QString Path(const QString& relative) const;

    static QByteArray Bytes(const std::uint8_t* data, std::size_t size);
    // Replaces the file's contents with the bytes; aborts when it cannot, so
    // a full disk is never taken for a reader's fault.
    static void WriteFile(const QString& path, const QByteArray& bytes);

private:
    FuzzSandbox();

    QTemporaryDir m_dir;
};
