#include "database/CInstallation.h"
#include "platform/PrivateProfile.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <QDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QString kValue = QStringLiteral("fuzz value");

// A key written into an ini file reads back, and the other keys of the
// section keep their values.
void WriteKeepsTheRest(const QString& path, const QString& section)
{
    const QString key = QStringLiteral("Fuzz Key");
    const QStringList keys = PrivateProfile::GetKeys(section, path);
    QStringList before;
    for (const QString& k : keys)
        before << PrivateProfile::GetString(section, k, QString(), path);
    if (!PrivateProfile::WriteString(section, key, kValue, path))
        std::abort();
    if (PrivateProfile::GetString(section, key, QString(), path) != kValue)
        std::abort();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i].compare(key, Qt::CaseInsensitive) != 0
            && PrivateProfile::GetString(section, keys[i], QString(), path) != before[i])
            std::abort();
    }
}

} // namespace

// An installation file as the installations list and the document read it,
// and the ini layer beneath every such file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = [] {
        const QString folder = FuzzSandbox::Get().Path(QStringLiteral("home/Installations/Site"));
        QDir().mkpath(folder);
        return QDir(folder).filePath(QStringLiteral("Site.wfi"));
    }();
    const QByteArray bytes = FuzzSandbox::Bytes(data, size);
    FuzzSandbox::WriteFile(path, bytes);

    CInstallation installation(path);
    installation.Load();
    installation.GetName();
    PrivateProfile::GetInt(QStringLiteral("Installation Settings"), QStringLiteral("Data To Program To Network"), 1, path);

    // The first section the file names, as a whole-file walk would meet it.
    QString section = QStringLiteral("Installation Settings");
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray t = line.trimmed();
        if (t.startsWith('[') && t.indexOf(']') > 0) {
            section = QString::fromLatin1(t.mid(1, t.indexOf(']') - 1)).trimmed();
            break;
        }
    }
    if (!section.isEmpty())
        WriteKeepsTheRest(path, section);
    return 0;
}
