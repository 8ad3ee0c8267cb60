#pragma once

#include <QObject>
#include <QPointer>

// What both links share: the window that follows a connection's progress
// (the Connecting dialog while it is open) and the stop event of the link
// threads.
class CCommunication
{
public:
    virtual ~CCommunication() = default;

    // Makes a fresh, unset stop event the shared one; returns 1.
    virtual int Initialize();

    void SetProgressWindow(QObject* window) { m_progressWindow = window; }

protected:
    QPointer<QObject> m_progressWindow;
};
