#include "tests/database/InstallationFixture.h"

#include "database/InstallationDatabases.h"
#include "database/Schema.h"

InstallationTest::InstallationTest()
{
    g_bDatabasesClosed = false;
    Schema::CreateInstallationDatabases(Folder());
}

InstallationTest::~InstallationTest()
{
    CloseInstallationDatabases();
}

QString InstallationTest::Folder() const
{
    return m_env.Path(QStringLiteral("Site/Database"));
}

QString InstallationTest::FilePath(const char* file) const
{
    return Folder() + QLatin1Char('/') + QLatin1String(file);
}

void InstallationTest::OpenAll()
{
    ASSERT_TRUE(OpenInstallationDatabases(Folder()));
}
