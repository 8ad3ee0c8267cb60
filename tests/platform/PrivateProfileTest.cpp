#include "platform/PrivateProfile.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class PrivateProfileTest : public ::testing::Test
{
protected:
    void WriteRaw(const QByteArray& bytes)
    {
        QFile f(m_file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray ReadRaw() const
    {
        QFile f(m_file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TestEnvironment m_env;
    QString m_file = m_env.Path(QStringLiteral("Site.wfi"));
};

} // namespace

TEST_F(PrivateProfileTest, ReadsLikeTheWindowsProfileFunctions)
{
    WriteRaw("; comment\r\n[Installation Settings]\r\nInstallation Name = Acme Works \r\n"
             "Data To Program To Network=1\r\nQuoted=\"  padded  \"\r\n[Version]\r\nVersion=4abc\r\n"
             "Negative=-12\r\nWord=abc\r\nEmpty=\r\n");
    struct Case { const char* section; const char* key; const char* expected; };
    const Case strings[] = {
        {"Installation Settings", "Installation Name", "Acme Works"},
        {"installation settings", "INSTALLATION NAME", "Acme Works"},
        {"Installation Settings", "Quoted", "  padded  "},
        {"Installation Settings", "Missing", "default"},
        {"No Such Section", "Installation Name", "default"},
        {"Version", "Empty", ""},
    };
    for (const Case& c : strings) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(PrivateProfile::GetString(c.section, c.key, QStringLiteral("default"), m_file),
                  QString::fromLatin1(c.expected));
    }
    struct IntCase { const char* key; int expected; };
    const IntCase ints[] = {{"Version", 4}, {"Negative", -12}, {"Word", 0}, {"Empty", 77}, {"Missing", 77}};
    for (const IntCase& c : ints) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(PrivateProfile::GetInt(QStringLiteral("Version"), c.key, 77, m_file), c.expected);
    }
}

TEST_F(PrivateProfileTest, MissingFileGivesDefaultsAndWriteCreatesIt)
{
    EXPECT_EQ(PrivateProfile::GetString("Options", "Name", "none", m_file), QStringLiteral("none"));
    EXPECT_EQ(PrivateProfile::GetInt("Options", "Count", 5, m_file), 5);
    ASSERT_TRUE(PrivateProfile::WriteString("Options", "Backup Name", QStringLiteral("Weekly"), m_file));
    EXPECT_EQ(ReadRaw(), QByteArray("[Options]\r\nBackup Name=Weekly\r\n"));
}

TEST_F(PrivateProfileTest, WritesKeepEverythingElseInPlace)
{
    WriteRaw("[A]\nx=1\n; note\ny=2\n\n[B]\nz=3\n");
    ASSERT_TRUE(PrivateProfile::WriteString("a", "X", QStringLiteral("10"), m_file));
    ASSERT_TRUE(PrivateProfile::WriteString("A", "New Key", QStringLiteral("n"), m_file));
    ASSERT_TRUE(PrivateProfile::WriteString("C", "w", QStringLiteral("4"), m_file));
    ASSERT_TRUE(PrivateProfile::WriteString("B", "z", std::nullopt, m_file));
    EXPECT_EQ(ReadRaw(), QByteArray("[A]\r\nx=10\r\n; note\r\ny=2\r\nNew Key=n\r\n\r\n[B]\r\n[C]\r\nw=4\r\n"));
    EXPECT_EQ(PrivateProfile::GetKeys("A", m_file), (QStringList{"x", "y", "New Key"}));
    ASSERT_TRUE(PrivateProfile::DeleteSection("b", m_file));
    EXPECT_EQ(ReadRaw(), QByteArray("[A]\r\nx=10\r\n; note\r\ny=2\r\nNew Key=n\r\n\r\n[C]\r\nw=4\r\n"));
}

TEST_F(PrivateProfileTest, AValueWithQuotesOrBlanksOfItsOwnReadsBackAsWritten)
{
    for (const char* value :
         {"'Bob'", "\"x\"", "''", "'''''''''", "\"'x'\"", "'open", "a'b'", "'", "plain", "'An''\r", " 'x' ", "\r", "Ann "}) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(PrivateProfile::WriteString("Operator 1", "Password", QString::fromLatin1(value), m_file));
        EXPECT_EQ(PrivateProfile::GetString("Operator 1", "Password", QString(), m_file), QString::fromLatin1(value));
    }
    // A value only wrapped in quotes, as older copies and Windows wrote it, loses them.
    WriteRaw("[Operator 1]\r\nPassword='Bob'\r\n");
    EXPECT_EQ(PrivateProfile::GetString("Operator 1", "Password", QString(), m_file), "Bob");
}

TEST_F(PrivateProfileTest, UnwritableFileReportsFailure)
{
    EXPECT_FALSE(PrivateProfile::WriteString("A", "x", QStringLiteral("1"),
                                             m_env.Path(QStringLiteral("missing/folder/x.ini"))));
}

TEST_F(PrivateProfileTest, TextIsUtf8AndOnlyAFileThatIsNotValidUtf8ReadsAsLatin1)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString value;
    } cases[] = {
        {"UTF-8", "[A]\r\nName=\xd0\xa1\xd0\xb5\xd0\xb2\xd0\xb5\xd1\x80 pa\xe2\x82\xac" "ss\r\n", QStringLiteral("Север pa€ss")},
        {"Latin-1", "[A]\r\nName=Caf\xe9\r\n", QStringLiteral("Café")},
        {"one stray byte makes the file Latin-1", "[A]\r\nName=Caf\xc3\xa9\r\nOther=\xff\r\n", QStringLiteral("CafÃ©")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRaw(c.bytes);
        EXPECT_EQ(PrivateProfile::GetString("A", "Name", QString(), m_file), c.value);
    }
    WriteRaw(QByteArray());
    ASSERT_TRUE(PrivateProfile::WriteString("A", "Name", QStringLiteral("Север €"), m_file));
    EXPECT_EQ(ReadRaw(), QByteArray("[A]\r\nName=\xd0\xa1\xd0\xb5\xd0\xb2\xd0\xb5\xd1\x80 \xe2\x82\xac\r\n"));
}
