#include "tests/support/TestEnvironment.h"

#include "platform/Profile.h"

#include <QDir>

TestEnvironment::TestEnvironment()
    : m_previousHome(qgetenv("WARDIX_HOME")), m_previousDataHome(qgetenv("XDG_DATA_HOME")),
      m_previousProfile(Profile::Location())
{
    QDir(m_dir.path()).mkpath(QStringLiteral("home"));
    qputenv("WARDIX_HOME", ProgramFolderPath().toLocal8Bit());
    qputenv("XDG_DATA_HOME", DataHomePath().toLocal8Bit());
    Profile::SetLocation(ProfilePath());
}

TestEnvironment::~TestEnvironment()
{
    qputenv("WARDIX_HOME", m_previousHome);
    qputenv("XDG_DATA_HOME", m_previousDataHome);
    Profile::SetLocation(m_previousProfile);
}

QString TestEnvironment::ProgramFolderPath() const
{
    return Path(QStringLiteral("home"));
}

QString TestEnvironment::DataHomePath() const
{
    return Path(QStringLiteral("share"));
}

QString TestEnvironment::ProfilePath() const
{
    return Path(QStringLiteral("profile.ini"));
}

QString TestEnvironment::Path(const QString& relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}
