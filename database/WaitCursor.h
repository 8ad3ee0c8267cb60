#pragma once

#include <QCursor>
#include <QGuiApplication>

// The wait cursor for the life of a long step; nothing where no window can
// show one (headless runs and tests).
class WaitCursor
{
public:
    WaitCursor()
        : m_shown(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown;
};
