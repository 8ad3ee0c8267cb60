#pragma once

#include <QString>

#include <memory>

// A progress display a long step moves while it works; it closes when
// destroyed.
class IProgress
{
public:
    // Plain has a Cancel button; Bar is a status line and a bar, as the
    // shell's progress window of a file copy.
    enum Kind { Percent, Plain, Bar };

    virtual ~IProgress() = default;
    virtual void SetPos(int position) = 0;
    virtual void SetStatus(const QString& text) = 0;
    // Leaves only the status line to move.
    virtual void HideBar() = 0;
    // True once after Cancel was pressed; the waiting messages are handled
    // first. A display without Cancel never reports one.
    virtual bool CheckCancelButton() = 0;
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
