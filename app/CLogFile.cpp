#include "app/CLogFile.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "platform/Clock.h"

void CLogFile::Open(int kind)
{
    const QString name = FileName(kind);
    if (name.isEmpty() || m_file.isOpen())
        return;
    m_file.setFileName(CWFDoc::BuildPath(CWFDoc::kProgramHtml, QString(), QString()) + name);
    m_file.open(QIODevice::WriteOnly | QIODevice::Append);
}

void CLogFile::Write(QString message)
{
    if (!m_file.isOpen())
        return;
    const CWFDoc* doc = GetInstallationDoc();
    const QString stamp = Clock::Current().NowLocal().toString(QStringLiteral("MM/dd/yyyy:HH:mm:ss"));
    const QString line = QStringLiteral("[%1] [%2] %3\r\n")
                             .arg(stamp, doc ? doc->m_strInstallationName : QString(), message);
    m_file.write(line.toLatin1());
    m_file.flush();
}

void CLogFile::Close()
{
    m_file.close();
}

QString CLogFile::FileName(int kind)
{
    switch (kind) {
    case Bindings: return QStringLiteral("Bindings.log");
    case DownloadEventLog: return QStringLiteral("DownloadEventlog.log");
    default: return QString();
    }
}
