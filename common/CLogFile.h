#pragma once

#include <QFile>
#include <QString>

// A text log that stays open and takes one stamped line at a time:
// "[time] [installation] message" with CRLF, in UTF-8.
class CLogFile
{
public:
    enum Kind { Bindings = 0, DownloadEventLog = 1 };

    CLogFile() = default;
    virtual ~CLogFile() = default;

    // Kind 0 opens "Bindings.log", kind 1 "DownloadEventlog.log", in the
    // program's HTML folder (made when missing), for appending. Any other
    // kind, or a failed open, leaves the log closed without a word.
    void Open(int kind);
    // Dropped when the log is closed.
    void Write(QString message);
    void Close();
    bool IsOpen() const { return m_file.isOpen(); }

    static QString FileName(int kind);

private:
    QFile m_file;
};
