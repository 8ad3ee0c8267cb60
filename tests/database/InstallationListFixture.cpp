#include "tests/database/InstallationListFixture.h"

#include "database/CInstallation.h"
#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString InstallationListFixture::MakeInstallation(const QString& folder, const QString& name, const char* version,
                                              const QString& file) const
{
    const QString dir = m_env.Path(folder);
    QDir().mkpath(dir + QStringLiteral("/Database"));
    const QString path = dir + QLatin1Char('/') + (file.isEmpty() ? name : file) + QStringLiteral(".wfi");
    WriteFile(path, "[Installation Settings]\r\nInstallation Name=" + name.toLatin1() +
                        "\r\n[Version]\r\nInstallation Version=" + QByteArray(version) + "\r\n");
    WriteFile(dir + QStringLiteral("/Database/Cards.mdb"), "cards of " + name.toLatin1());
    return path;
}

QString InstallationListFixture::ListInstallation(int slot, const QString& folder, const QString& name) const
{
    const QString path = MakeInstallation(folder, name);
    Profile::WriteString(QStringLiteral("Installations"), CInstallation::ProfileKey(slot), path);
    return path;
}

QString InstallationListFixture::ProfileEntry(int slot) const
{
    return Profile::GetString(QStringLiteral("Installations"), CInstallation::ProfileKey(slot));
}

void InstallationListFixture::WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray InstallationListFixture::ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
