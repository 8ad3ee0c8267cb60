#pragma once

#include <QString>

#include <memory>

// A progress display a long step moves while it works; it closes when
// destroyed.
class IProgress
{
public:
    enum Kind { Percent, Plain };

    virtual ~IProgress() = default;
    virtual void SetPos(int position) = 0;
};

// Makes the progress displays; the application fills it with its dialogs.
class IProgressFactory
{
public:
    virtual ~IProgressFactory() = default;

    // Null when there is nothing to show on.
    virtual std::unique_ptr<IProgress> Open(IProgress::Kind kind, const QString& caption, const QString& status,
                                            int upper) = 0;
};
