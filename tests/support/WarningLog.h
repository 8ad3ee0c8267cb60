#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects what the program writes to its log (Qt's warnings) while it lives.
class WarningLog
{
public:
    WarningLog() : m_previous(qInstallMessageHandler(&WarningLog::Handle)) { Current() = this; }
    ~WarningLog()
    {
        qInstallMessageHandler(m_previous);
        Current() = nullptr;
    }
    WarningLog(const WarningLog&) = delete;
    WarningLog& operator=(const WarningLog&) = delete;

    const QStringList& Lines() const { return m_lines; }

private:
    static WarningLog*& Current()
    {
        static WarningLog* current = nullptr;
        return current;
    }
    static void Handle(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type != QtDebugMsg && Current())
            Current()->m_lines.append(text);
    }

    QtMessageHandler m_previous;
    QStringList m_lines;
};
