#include "database/CInstallation.h"
#include "database/CInstallationBackup.h"
#include "database/COperatorStore.h"
#include "database/OperatorFileCipher.h"
#include "database/OperatorLogin.h"
#include "platform/Archive.h"
#include "platform/DurableFiles.h"
#include "platform/PrivateProfile.h"
#include "tests/database/InstallationListFixture.h"
#include "tests/support/MessageBoxScript.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace {

// Every ini file the program keeps, written by its own writer and read back
// by its own reader.
class IniText : public InstallationListFixture
{
public:
    struct FileKind
    {
        const char* name;
        // Stores the text where the kind keeps it and gives what reads back.
        std::function<QString(IniText&, const QString&)> roundTrip;
    };

    // Each round in folders of its own.
    QString Round(const QString& name) const { return name + QString::number(m_round); }

    QString InstallationNameRoundTrip(const QString& name)
    {
        const QString path = ListInstallation(1, Round(QStringLiteral("Sites/One")), QStringLiteral("One"));
        CInstallation installation(path);
        if (!installation.Load() || !installation.SetName(name))
            return QStringLiteral("<not written>");
        CInstallation reread(1);
        return reread.Load() ? reread.GetName() : QStringLiteral("<not read>");
    }

    // The folder a restore brings the installation back to.
    QString BackupFolderRoundTrip(const QString& folder)
    {
        const QString path = ListInstallation(1, Round(QStringLiteral("Sites")) + QLatin1Char('/') + folder,
                                              QStringLiteral("One"));
        const QString store = m_env.Path(Round(QStringLiteral("Store")));
        {
            MessageBoxScript boxes;
            CInstallationBackup backup;
            backup.SetPaths(store, QStringLiteral("B"));
            if (!backup.RunBackup())
                return QStringLiteral("<no backup>");
        }
        QDir(m_env.Path(Round(QStringLiteral("Sites")))).removeRecursively();
        MessageBoxScript boxes;
        CInstallationBackup backup;
        backup.SetLogPath(store + QStringLiteral("/B/B.wfb"));
        if (!backup.Restore(true) || !QFileInfo::exists(path))
            return QStringLiteral("<not restored>");
        return QFileInfo(QFileInfo(path).path()).fileName();
    }

    // The password an operator logs in with after it was stored.
    static QString OperatorPasswordRoundTrip(const QString& password)
    {
        COperatorStore store;
        const int slot = store.AddOperator(QStringLiteral("Anna"));
        store.SetPassword(password);
        store.SetAdministrator(1);
        COperatorStore loggedIn;
        int administrator = 0;
        if (OperatorLogin::CheckLogin(slot, password, loggedIn, administrator) != OperatorLogin::Result::Accepted)
            return QStringLiteral("<refused>");
        return loggedIn.GetPassword();
    }

    // A plain operator file as a text editor saves it, converted on first load.
    static QString PlainOperatorNameRoundTrip(const QString& name)
    {
        QDir().mkpath(QFileInfo(COperatorStore::GetFilePath()).path());
        WriteWholeFile(COperatorStore::GetFilePath(),
                            "[Operator 0]\r\nName=" + name.toUtf8() + "\r\nPassword=pw\r\nAdministrator=1\r\n");
        COperatorStore store;
        if (!store.LoadOperator(0))
            return QStringLiteral("<not loaded>");
        COperatorStore again; // now from the scrambled file
        return again.LoadOperator(0) ? again.GetName() : QStringLiteral("<not reloaded>");
    }

    int m_round = 0;
};

} // namespace

TEST_F(IniText, TextOutsideLatin1SurvivesEveryIniFile)
{
    const FileKind kinds[] = {
        {"installation file", [](IniText& t, const QString& s) { return t.InstallationNameRoundTrip(s); }},
        {"backup log", [](IniText& t, const QString& s) { return t.BackupFolderRoundTrip(s); }},
        {"scrambled operator file", [](IniText&, const QString& s) { return OperatorPasswordRoundTrip(s); }},
        {"plain operator file", [](IniText&, const QString& s) { return PlainOperatorNameRoundTrip(s); }},
    };
    const QString texts[] = {QStringLiteral("Склад Север"), QStringLiteral("pa€ss"), QStringLiteral("Café")};
    for (const FileKind& kind : kinds) {
        for (const QString& text : texts) {
            SCOPED_TRACE(std::string(kind.name) + " " + text.toStdString());
            ++m_round;
            EXPECT_EQ(kind.roundTrip(*this, text).toStdString(), text.toStdString());
        }
    }
}

TEST_F(IniText, FilesOfOlderCopiesAreReadAsLatin1)
{
    // "Café" and "Jürgen" one byte per letter, as older copies wrote them.
    const QString path = m_env.Path(QStringLiteral("Old/Old.wfi"));
    WriteFile(path, "[Installation Settings]\r\nInstallation Name=Caf\xe9\r\n[Version]\r\nInstallation Version=2.00\r\n");
    CInstallation installation(path);
    ASSERT_TRUE(installation.Load());
    EXPECT_EQ(installation.GetName(), QStringLiteral("Café"));

    QDir().mkpath(QFileInfo(COperatorStore::GetFilePath()).path());
    WriteWholeFile(COperatorStore::GetFilePath(),
                        ScrambleOperatorBytes("[Operator 0]\r\nName=J\xfcrgen\r\nPassword=gr\xfc\xdf\r\nAdministrator=1\r\n"));
    COperatorStore loggedIn;
    int administrator = 0;
    EXPECT_EQ(OperatorLogin::CheckLogin(0, QStringLiteral("grüß"), loggedIn, administrator),
              OperatorLogin::Result::Accepted);
    EXPECT_EQ(loggedIn.GetName(), QStringLiteral("Jürgen"));

    // A value written into an older file turns the whole file into UTF-8.
    ASSERT_TRUE(PrivateProfile::WriteString(QStringLiteral("Installation Settings"), QStringLiteral("Note"),
                                            QStringLiteral("€"), path));
    EXPECT_EQ(ReadFile(path), QByteArray("[Installation Settings]\r\nInstallation Name=Caf\xc3\xa9\r\nNote=\xe2\x82\xac\r\n"
                                         "[Version]\r\nInstallation Version=2.00\r\n"));
}
