#include "link/CNetCommand.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray GoldenBytes()
{
    QFile file(QStringLiteral(WARDIX_TEST_DATA_DIR "/netcommand-golden.dat"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QString LongText()
{
    QString text;
    for (int i = 0; i < 300; ++i)
        text.append(QChar('A' + i % 26));
    return text;
}

// The command the golden file was written from.
CNetCommand GoldenCommand()
{
    CNetCommand command(5, 2, 3, {1, 0x80});
    command.m_strSending = LongText();
    return command;
}

void ExpectSameFileFields(const CNetCommand& a, const CNetCommand& b)
{
    EXPECT_EQ(a.m_strSending, b.m_strSending);
    EXPECT_EQ(a.m_strDone, b.m_strDone);
    EXPECT_EQ(a.m_strFailed, b.m_strFailed);
    EXPECT_EQ(a.m_strPassword, b.m_strPassword);
    EXPECT_EQ(a.m_kind, b.m_kind);
    EXPECT_EQ(a.m_timeout, b.m_timeout);
    EXPECT_EQ(a.m_retries, b.m_retries);
    EXPECT_EQ(a.m_expectedReply, b.m_expectedReply);
    EXPECT_EQ(a.m_payload.toHex(), b.m_payload.toHex());
    EXPECT_EQ(a.m_frameAddress, b.m_frameAddress);
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(NetCommand, KindTable)
{
    struct Case {
        std::uint8_t kind, network, node;
        NetCommandData data;
        bool storedWork;
        const char *sending, *done, *failed;
        int expected, timeout, retries;
        std::uint8_t frameAddress;
        QByteArray payload;
    };
    const Case cases[] = {
        {1, 1, 1, {}, false, "Polling Master A1", "Connected to A1", "Failed to poll master A1", 12, 3000, 3, 0x11, {}},
        {1, 1, 1, {}, true, "Polling Master A1", "Connected to A1", "Failed to poll master A1", 12, 3000, 5, 0x11, {}},
        {2, 3, 4, {}, false, "Polling C4", "Retrieved status from C4", "", 9, 3000, 1, 0x34, {}},
        {2, 3, 4, {}, true, "Polling C4", "Retrieved status from C4", "", 9, 3000, 5, 0x34, {}},
        {3, 1, 2, {9, 6, 0x01, 0x02, 0x10, 0x00}, false, "Reading Single Learned Tranmitters on A2",
         "Memory on A2 read", "Failed to read memory on A2", 10, 10000, 5, 0x12, QByteArray::fromHex("0601021000")},
        {4, 8, 8, {}, false, "Reading event log at H8", "Event log at H8 read", "Failed to read event log at H8",
         11, 45000, 5, 0x88, {}},
        {5, 2, 1, {1, 0x80}, false, "Sending command to B1", "Command sent to B1", "Failed to send command to B1",
         12, 3000, 5, 0x21, QByteArray::fromHex("0180000000000000")},
        {5, 2, 1, {3, 3, 0, 0, 0x12, 0x34}, false, "Resetting anti-passback status for B",
         "Anti-passback status reset for B", "Failed to reset anti-passback status for B",
         12, 3000, 5, 0x21, QByteArray::fromHex("0303000012340000")},
        {6, 3, 1, {0x81, 0xFE}, false, "Setting network time", "Network time set", "Failed to set network time",
         12, 3000, 5, 0x3F, QByteArray::fromHex("81fe00000000")},
        {12, 4, 2, {}, false, "Sending ACK to D2", "ACK sent to D2", "Failed to send ACK to D2", 12, 3000, 5, 0x42, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << int(c.kind) << (c.storedWork ? " with stored work" : ""));
        const CNetCommand command(c.kind, c.network, c.node, c.data, c.storedWork);
        EXPECT_EQ(command.m_kind, c.kind);
        EXPECT_EQ(command.m_nodeAddress, c.network * 16 + c.node);
        EXPECT_EQ(command.m_strSending, QString::fromLatin1(c.sending));
        EXPECT_EQ(command.m_strDone, QString::fromLatin1(c.done));
        EXPECT_EQ(command.m_strFailed, QString::fromLatin1(c.failed));
        EXPECT_TRUE(command.m_strPassword.isEmpty());
        EXPECT_EQ(command.m_expectedReply, c.expected);
        EXPECT_EQ(command.m_timeout, c.timeout);
        EXPECT_EQ(command.m_retries, c.retries);
        EXPECT_EQ(command.m_frameAddress, c.frameAddress);
        EXPECT_EQ(command.m_payload.toHex(), c.payload.toHex());
        EXPECT_EQ(command.m_notifyWindow, nullptr);
    }
}

TEST(NetCommand, KindsWithoutARowStayEmpty)
{
    for (const std::uint8_t kind : {0, 7, 8, 11, 13, 200}) {
        SCOPED_TRACE(int(kind));
        const CNetCommand command(kind, 1, 1);
        EXPECT_EQ(command.m_kind, 0);
        EXPECT_TRUE(command.m_strSending.isEmpty());
        EXPECT_TRUE(command.m_payload.isEmpty());
    }
}

TEST(NetCommand, MemoryUpdateNamesTheBankAndOwnsTheData)
{
    const QByteArray data = QByteArray::fromHex("0100030008") + QByteArray(8, '\x5A');
    const CNetCommand command = CNetCommand::CNetCommandMemoryUpdate(0x25, data);
    EXPECT_EQ(command.m_kind, 7);
    EXPECT_EQ(command.m_strSending, QStringLiteral("Updating Cardholders on B5"));
    EXPECT_EQ(command.m_strDone, QStringLiteral("Memory on B5 written"));
    EXPECT_EQ(command.m_strFailed, QStringLiteral("Failed Updating Cardholders memory on B5"));
    EXPECT_EQ(command.m_timeout, 12000);
    EXPECT_EQ(command.m_retries, 5);
    EXPECT_EQ(command.m_expectedReply, 12);
    EXPECT_EQ(command.m_frameAddress, 0x25);
    EXPECT_EQ(command.m_payload, data);

    const CNetCommand unknownBank = CNetCommand::CNetCommandMemoryUpdate(0x11, QByteArray::fromHex("2a00000000"));
    EXPECT_EQ(unknownBank.m_strSending, QStringLiteral("Updating ? on A1"));
}

TEST(NetCommand, FileNameCarriesTheIdentifier)
{
    EXPECT_EQ(CNetCommand::FileName(42), QStringLiteral("NetCommands42.dat"));
}

TEST(CommandFile, MatchesTheGoldenFile)
{
    TestEnvironment env;
    const QString path = env.Path(CNetCommand::FileName(7));
    ASSERT_TRUE(GoldenCommand().SaveToFile(path));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_EQ(bytes.toHex(), GoldenBytes().toHex());
    // A 300-character text is stored as 0xFF and a 16-bit length.
    EXPECT_EQ(bytes.left(3).toHex(), QByteArray("ff2c01"));
}

TEST(CommandFile, LoadsTheGoldenFile)
{
    TestEnvironment env;
    const QString path = env.Path(CNetCommand::FileName(7));
    WriteFile(path, GoldenBytes());
    CNetCommand loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path, 7));
    ExpectSameFileFields(loaded, GoldenCommand());
    EXPECT_EQ(loaded.m_nCommandID, 7);
}

TEST(CommandFile, RoundTripKeepsEveryStoredFieldButNotNodeOrWindow)
{
    TestEnvironment env;
    QObject window;
    CNetCommand original = CNetCommand::CNetCommandMemoryUpdate(0x37, QByteArray::fromHex("0400020004deadbeef"));
    original.m_strPassword = QStringLiteral("ab\xe9"); // Latin-1 survives
    original.m_notifyWindow = &window;
    const QString path = env.Path(CNetCommand::FileName(1234));
    ASSERT_TRUE(original.SaveToFile(path));

    CNetCommand loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path, 1234));
    ExpectSameFileFields(loaded, original);
    EXPECT_EQ(loaded.m_nCommandID, 1234);
    EXPECT_EQ(loaded.m_nodeAddress, 0);
    EXPECT_EQ(loaded.m_notifyWindow, nullptr);
}

TEST(CommandFile, BadFilesLeaveTheCommandUnchanged)
{
    TestEnvironment env;
    const QByteArray golden = GoldenBytes();
    // Payload length field sits 13 bytes before the payload's 8 bytes, window and address.
    const qsizetype payloadLengthAt = golden.size() - 1 - 4 - 8 - 4;
    QByteArray hugePayload = golden;
    hugePayload[payloadLengthAt + 3] = '\x7f';
    QByteArray hugeString = golden;
    hugeString[1] = '\xfe';
    hugeString[2] = '\xff';

    struct Case { const char* name; std::optional<QByteArray> bytes; };
    const Case cases[] = {
        {"missing file", std::nullopt},
        {"empty file", QByteArray()},
        {"ends early", golden.left(golden.size() - 1)},
        {"trailing bytes", golden + QByteArray(1, '\0')},
        {"payload length past the end", hugePayload},
        {"string length past the end", hugeString},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = env.Path(QStringLiteral("bad.dat"));
        QFile::remove(path);
        if (c.bytes)
            WriteFile(path, *c.bytes);
        CNetCommand command(2, 1, 1);
        command.m_nCommandID = 9;
        const CNetCommand before = command;
        EXPECT_FALSE(command.LoadFromFile(path, 10));
        ExpectSameFileFields(command, before);
        EXPECT_EQ(command.m_nCommandID, 9);
    }
}

TEST(CommandFile, SaveFailsWhenTheFolderIsMissing)
{
    TestEnvironment env;
    EXPECT_FALSE(GoldenCommand().SaveToFile(env.Path(QStringLiteral("no such folder/NetCommands1.dat"))));
}
