#include "app/AppObjects.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "common/CLogFile.h"
#include "platform/Clock.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class TextLog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.m_strInstallationName = QStringLiteral("Acme Works");
        SetInstallationDoc(&m_doc);
        Clock::Install(&m_clock);
    }
    void TearDown() override
    {
        Clock::Install(nullptr);
        SetInstallationDoc(nullptr);
    }
    QByteArray LogBytes(const char* name) const
    {
        QFile f(QDir(m_env.ProgramFolderPath()).filePath(QStringLiteral("HTML/") + name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    TestEnvironment m_env;
    CWFDoc m_doc;
    FixedClock m_clock{QDateTime(QDate(2006, 3, 7), QTime(14, 5, 9), QTimeZone::utc())};
};

} // namespace

TEST_F(TextLog, WritesStampedCrlfLinesAndAppends)
{
    {
        CLogFile log;
        log.Open(CLogFile::Bindings);
        ASSERT_TRUE(log.IsOpen());
        log.Write(QStringLiteral("first"));
    }
    CLogFile log;
    log.Open(CLogFile::Bindings);
    m_clock.Set(QDateTime(QDate(2006, 12, 31), QTime(23, 59, 58), QTimeZone::utc()));
    log.Write(QStringLiteral("100% of 5 nodes: %s"));
    log.Close();
    EXPECT_EQ(LogBytes("Bindings.log"), QByteArray("[03/07/2006:14:05:09] [Acme Works] first\r\n"
                                                   "[12/31/2006:23:59:58] [Acme Works] 100% of 5 nodes: %s\r\n"));
}

TEST_F(TextLog, OnlyTheTwoKindsOpenAndAClosedLogDropsLines)
{
    CLogFile other;
    other.Open(2);
    EXPECT_FALSE(other.IsOpen());
    other.Write(QStringLiteral("dropped"));

    CLogFile download;
    download.Open(CLogFile::DownloadEventLog);
    EXPECT_TRUE(download.IsOpen());
    EXPECT_EQ(LogBytes("DownloadEventlog.log"), QByteArray());

    download.Close();

    // A file where the folder belongs: the log cannot be made and stays closed.
    const QString html = QDir(m_env.ProgramFolderPath()).filePath("HTML");
    QDir(html).removeRecursively();
    QFile blocker(html);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CLogFile blocked;
    blocked.Open(CLogFile::Bindings);
    EXPECT_FALSE(blocked.IsOpen());
    blocked.Write(QStringLiteral("dropped"));
}

TEST_F(TextLog, MakesTheMissingFolderAndWritesNamesInUtf8)
{
    ASSERT_FALSE(QFileInfo::exists(QDir(m_env.ProgramFolderPath()).filePath("HTML")));
    m_doc.m_strInstallationName = QStringLiteral("Склад");
    CLogFile log;
    log.Open(CLogFile::Bindings);
    ASSERT_TRUE(log.IsOpen());
    log.Write(QStringLiteral("Cardholder 7 left off"));
    log.Close();
    EXPECT_EQ(LogBytes("Bindings.log"), QByteArray("[03/07/2006:14:05:09] [\xd0\xa1\xd0\xba\xd0\xbb\xd0\xb0\xd0\xb4] "
                                                   "Cardholder 7 left off\r\n"));
}

TEST_F(TextLog, ApplicationWritesOnlyToOpenLogs)
{
    CWFApp app;
    app.LogToFile(0, QStringLiteral("before open"));
    app.OpenLogs();
    app.LogToFile(0, QStringLiteral("tree statistics"));
    app.LogToFile(7, QStringLiteral("no such log"));
    app.CloseLogs();
    app.LogToFile(0, QStringLiteral("after close"));
    EXPECT_EQ(LogBytes("Bindings.log"), QByteArray("[03/07/2006:14:05:09] [Acme Works] tree statistics\r\n"));
}
