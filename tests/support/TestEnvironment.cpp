#include "tests/support/TestEnvironment.h"

#include "platform/Profile.h"

#include <QDir>

TestEnvironment::TestEnvironment()
    : m_previousHome(qgetenv("WARDIX_HOME")), m_previousProfile(Profile::Location())
{
    QDir(m_dir.path()).mkpath(QStringLiteral("home"));
    qputenv("WARDIX_HOME", ProgramFolderPath().toLocal8Bit());
    Profile::SetLocation(ProfilePath());
}

TestEnvironment::~TestEnvironment()
{
    qputenv("WARDIX_HOME", m_previousHome);
    Profile::SetLocation(m_previousProfile);
}

QString TestEnvironment::ProgramFolderPath() const
{
    return Path(QStringLiteral("home"));
}

QString TestEnvironment::ProfilePath() const
{
    return Path(QStringLiteral("profile.ini"));
}

QString TestEnvironment::Path(const QString& relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}
