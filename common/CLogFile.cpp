#include "common/CLogFile.h"

#include "common/IInstallationDocument.h"
#include "common/InstallationPaths.h"
#include "common/ProgramObjects.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"

void CLogFile::Open(int kind)
{
    const QString name = FileName(kind);
    if (name.isEmpty() || m_file.isOpen())
        return;
    const QString folder = InstallationPaths::BuildPath(InstallationPaths::kProgramHtml, QString(), QString());
    // Nothing else makes the folder, and without it every line would be lost.
    EnsureFolder(folder);
    m_file.setFileName(folder + name);
    m_file.open(QIODevice::WriteOnly | QIODevice::Append);
}

void CLogFile::Write(QString message)
{
    if (!m_file.isOpen())
        return;
    const IInstallationDocument* doc = GetOpenInstallation();
    const QString stamp = Clock::Current().NowLocal().toString(QStringLiteral("MM/dd/yyyy:HH:mm:ss"));
    const QString line = QStringLiteral("[%1] [%2] %3\r\n")
                             .arg(stamp, doc ? doc->InstallationName() : QString(), message);
    m_file.write(line.toUtf8());
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
