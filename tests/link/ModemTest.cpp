#include "link/CLinkThreads.h"
#include "link/CModem.h"
#include "link/ConfigurePort.h"
#include "link/DialingLocation.h"
#include "link/LinkConnection.h"
#include "link/LinkMessages.h"
#include "link/LinkTiming.h"
#include "link/ModemLines.h"
#include "link/WireFrame.h"
#include "platform/Profile.h"
#include "platform/WindowMessages.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/link/LinkTestSupport.h"
#include "tests/support/MessageBoxScript.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace LinkTestSupport;

namespace {

constexpr int kLine = 0;
constexpr double kFastModem = 0.05;
const QString kLines = QStringLiteral("Modem Lines");
const QString kNumber = QStringLiteral("5551234");

void ConfigureLine(int id, const QString& device)
{
    Profile::WriteString(kLines, QStringLiteral("Line%1 Device").arg(id), device);
    Profile::WriteString(kLines, QStringLiteral("Line%1 Name").arg(id), QStringLiteral("Modem %1").arg(id));
}

void ClearLines()
{
    for (const QString& key : Profile::Keys(kLines))
        Profile::RemoveKey(kLines, key);
}

// A modem on a panel line, and the Connecting dialog's place taken by a recorder.
class ModemLink : public testing::Test
{
protected:
    void SetUp() override
    {
        ClearLines();
        ConfigureLine(kLine, line.SlavePath());
        line.EnableModem();
        modem.SetProgressWindow(&window);
        ConnectFailReason = ConnectFail::kNone;
    }

    void TearDown() override { modem.HangUp(); }

    bool AwaitProgress(unsigned code)
    {
        return LinkMessageRecorder::WaitUntil([&] { return window.Has(Msg::LinkProgress, code); });
    }

    // The panel's end sees the port close only when its thread next looks;
    // a call placed before then would have its first command taken for the
    // old call's leftovers.
    bool AwaitLineClosed(int closings)
    {
        return LinkMessageRecorder::WaitUntil([&] { return line.Closings() == closings; });
    }

    QString DisconnectText() const
    {
        for (const LinkMessageRecorder::Message& m : window.messages) {
            if (m.msg == Msg::LinkProgress && m.wParam == LinkProgressCode::kDisconnectText)
                return m.text;
        }
        return {};
    }

    LinkTiming::ScopedScale timing {kFastModem};
    PanelLine line {1, {1}};
    LinkMessageRecorder window;
    CModem modem;
};

} // namespace

TEST_F(ModemLink, DialResultsGiveTheirCallStates)
{
    struct Case
    {
        QList<QByteArray> script;
        QList<unsigned> codes;
        const char* text;
        int reason;
        int rate;
    };
    const Case cases[] = {
        {{"CONNECT 38400"}, {8, 11}, "", ConnectFail::kNone, 38400},
        {{"CONNECT 9600/ARQ"}, {8, 11}, "", ConnectFail::kNone, 9600},
        {{"CONNECT"}, {8, 11}, "", ConnectFail::kNone, 38400},
        {{"BUSY"}, {8, 9, 13, 12, 6}, "Disconnected: Busy", ConnectFail::kBusy, 0},
        {{"NO ANSWER"}, {8, 13, 12, 6}, "Disconnected: No Answer", ConnectFail::kNoAnswer, 0},
        {{"NO CARRIER"}, {8, 13, 12, 6}, "Disconnected: No Answer", ConnectFail::kNoAnswer, 0},
        {{"NO DIALTONE"}, {8, 13, 12, 6}, "Disconnected: No Dial Tone", ConnectFail::kNoDialTone, 0},
        {{"NO DIAL TONE"}, {8, 13, 12, 6}, "Disconnected: No Dial Tone", ConnectFail::kNoDialTone, 0},
        {{"CONNECT 38400", "NO CARRIER"}, {8, 11, 13, 12, 6}, "Remote Party Disconnected", ConnectFail::kNone, 38400},
        // Nothing at all: the dial result's wait runs out.
        {{}, {8, 13, 12, 6}, "Disconnected: No Answer", ConnectFail::kNoAnswer, 0},
    };
    int closings = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script.join(" / ").constData());
        window.messages.clear();
        ConnectFailReason = ConnectFail::kNone;
        line.ScriptDial(c.script);
        ASSERT_EQ(modem.Dial(kNumber, kLine), 1);
        ASSERT_TRUE(AwaitProgress(c.codes.last()));
        EXPECT_EQ(window.ProgressCodes(), c.codes);
        EXPECT_EQ(DisconnectText(), QString::fromLatin1(c.text));
        EXPECT_EQ(ConnectFailReason, c.reason);
        if (c.rate != 0) {
            EXPECT_EQ(modem.GetConnectRate(), c.rate);
        }
        modem.HangUp();
        ASSERT_TRUE(AwaitLineClosed(++closings));
    }
    EXPECT_EQ(line.DialledNumbers().size(), static_cast<qsizetype>(std::size(cases)));
    EXPECT_EQ(line.DialledNumbers().first(), kNumber.toLatin1());
}

TEST_F(ModemLink, ErrorToTheDialIsAFailedLineOperation)
{
    line.ScriptDial({"ERROR"});
    ASSERT_EQ(modem.Dial(kNumber, kLine), 1);
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] {
        return window.Has(Msg::ConnectFailed, LinkFailureCode::kLineOperationFailed);
    }));
    EXPECT_FALSE(window.Has(Msg::LinkProgress, LinkProgressCode::kDisconnected));
}

TEST_F(ModemLink, HangUpEscapesToCommandModeAndDropsTheCall)
{
    line.ScriptDial({"CONNECT 38400"});
    ASSERT_EQ(modem.Dial(kNumber, kLine), 1);
    ASSERT_TRUE(AwaitProgress(LinkProgressCode::kConnected));
    SerialPort* handle = nullptr;
    ASSERT_EQ(modem.GetDataHandle(handle), 1);
    EXPECT_EQ(modem.GetDataHandle(handle), 0);
    EXPECT_TRUE(line.InDataMode());

    modem.HangUp();
    const QList<QByteArray> commands = line.ModemCommands();
    ASSERT_GE(commands.size(), 2);
    EXPECT_EQ(commands.mid(commands.size() - 2), (QList<QByteArray> {"+++", "ATH0"}));
    ASSERT_TRUE(AwaitLineClosed(1));

    // The modem answers AT commands again: the next call is placed.
    line.ScriptDial({"BUSY"});
    ASSERT_EQ(modem.Dial(kNumber, kLine), 1);
    EXPECT_TRUE(AwaitProgress(LinkProgressCode::kLineIdle));
}

TEST_F(ModemLink, LineTakenAtConnectIsLeftToTheLink)
{
    // The Connecting dialog takes the line while the modem reports CONNECT;
    // what follows on the line is the link's, even a word in the same read.
    SerialPort* handle = nullptr;
    window.onMessage = [&](const LinkMessageRecorder::Message& m) {
        if (m.msg == Msg::LinkProgress && m.wParam == LinkProgressCode::kConnected)
            modem.GetDataHandle(handle);
    };
    line.ScriptDial({"CONNECT 38400\r\n\r\nNO CARRIER"});
    ASSERT_EQ(modem.Dial(kNumber, kLine), 1);
    ASSERT_TRUE(AwaitProgress(LinkProgressCode::kConnected));
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(handle->IsOpen());
    EXPECT_EQ(window.ProgressCodes(), (QList<unsigned> {8, 11}));
}

TEST_F(ModemLink, LoginAndStatusPollAreAnsweredAfterConnect)
{
    line.ScriptDial({"CONNECT 38400"});
    ASSERT_EQ(modem.Dial(kNumber, kLine), 1);
    ASSERT_TRUE(AwaitProgress(LinkProgressCode::kConnected));
    SerialPort* handle = nullptr;
    ASSERT_EQ(modem.GetDataHandle(handle), 1);
    ASSERT_TRUE(ConfigurePort(*handle));

    EventFd stop;
    CLinkThreads threads;
    threads.Start(*handle, stop, &window);
    threads.PostWriteRequest(LoginFrame(1, 1));
    threads.PostWriteRequest(StatusPollFrame(1, 1));
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return window.frames.size() == 2; }));
    EXPECT_EQ(CodeOf(window.frames[0]), Frame::kAck);
    EXPECT_EQ(CodeOf(window.frames[1]), Frame::kNodeStatus);
    EXPECT_TRUE(threads.Stop());
}

TEST_F(ModemLink, TranslatedNumberIsDialledOnTheChosenLine)
{
    DialingLocation home;
    home.countryId = 1;
    home.areaCode = QStringLiteral("416");
    home.Save();
    ASSERT_EQ(modem.TranslateAddress(true, 44, QStringLiteral("20"), QStringLiteral("79460000")), 1);
    EXPECT_EQ(modem.DisplayableNumber(), QStringLiteral("+44 (20) 79460000"));
    line.ScriptDial({"BUSY"});
    ASSERT_EQ(modem.Dial(modem.DialableNumber(), kLine), 1);
    EXPECT_EQ(modem.LineName(), QStringLiteral("Modem 0"));
    ASSERT_TRUE(AwaitProgress(LinkProgressCode::kLineIdle));
    EXPECT_EQ(line.DialledNumbers(), (QList<QByteArray> {"011442079460000"}));
}

TEST_F(ModemLink, NumberTextCannotAddModemCommands)
{
    line.ScriptDial({"BUSY"});
    ASSERT_EQ(modem.Dial(QStringLiteral("555\r\nATZ;1"), kLine), 1);
    ASSERT_TRUE(AwaitProgress(LinkProgressCode::kLineIdle));
    EXPECT_EQ(line.DialledNumbers(), (QList<QByteArray> {"5551"}));
    EXPECT_FALSE(line.ModemCommands().contains("ATZ;1"));
}

TEST_F(ModemLink, EmptyAreaCodeWithTheFlagDialsNothing)
{
    MessageBoxScript boxes;
    // As the Connecting dialog does: translate, then dial what it gives.
    if (modem.TranslateAddress(true, 1, QStringLiteral("  "), kNumber))
        modem.Dial(modem.DialableNumber(), kLine);
    EXPECT_EQ(boxes.Texts(), QStringList {QStringLiteral("Please enter an area code for the network phone number.")});
    EXPECT_TRUE(line.DialledNumbers().isEmpty());
}

TEST_F(ModemLink, DialFailuresShowTheirMessageAndLeaveTheLineClosed)
{
    int held = -1;
    struct Case
    {
        const char* name;
        std::function<void()> arrange;
        int device;
        QString message;
    };
    const Case cases[] = {
        {"no line chosen", [] {}, -1,
         QStringLiteral("No modem is selected.\nPlease go to the Wardenfold Setup dialog and specify the modem to use.")},
        {"no such line", [] {}, 3, QStringLiteral("Line Version unsupported.\nUnable to use line.")},
        {"missing device", [] { ConfigureLine(kLine, QStringLiteral("/nonexistent/ttyACM7")); }, kLine,
         QStringLiteral("Error on requested line.\nUnable to use line")},
        {"line held elsewhere",
         [&] {
             held = ::open(line.SlavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
             ::flock(held, LOCK_EX);
         },
         kLine, QStringLiteral("Requested line is already in use\n Unable to use line.")},
        {"silent modem", [&] { line.SetModemSilent(true); }, kLine, QStringLiteral("Unable to configure the modem.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConfigureLine(kLine, line.SlavePath());
        c.arrange();
        MessageBoxScript boxes;
        EXPECT_EQ(modem.Dial(kNumber, c.device), 0);
        EXPECT_EQ(boxes.Texts(), QStringList {c.message});
        if (held >= 0)
            ::close(std::exchange(held, -1));
        line.SetModemSilent(false);
    }
    EXPECT_TRUE(line.DialledNumbers().isEmpty());
}

TEST_F(ModemLink, EmptyNumberDialsNothingAndSucceeds)
{
    EXPECT_EQ(modem.Dial(QString(), kLine), 1);
    EXPECT_TRUE(line.DialledNumbers().isEmpty());
}

TEST_F(ModemLink, ScheduledRunShowsNoBoxAndOpensNoDialog)
{
    modem.isScheduledRun = [] { return true; };
    int opened = 0;
    modem.openLinesDialog = [&](QWidget*) { ++opened; };
    EXPECT_EQ(modem.Dial(kNumber, -1), 0);
    line.SetModemSilent(true);
    EXPECT_EQ(modem.Dial(kNumber, kLine), 0);
    ClearLines();
    EXPECT_EQ(modem.Dial(kNumber, kLine), 0);
    EXPECT_EQ(opened, 0);
}

TEST_F(ModemLink, NoConfiguredLineOffersTheLinesDialog)
{
    ClearLines();
    int opened = 0;
    modem.openLinesDialog = [&](QWidget*) { ++opened; };
    for (const int answer : {IDNO, IDYES}) {
        MessageBoxScript boxes {answer};
        EXPECT_EQ(modem.Dial(kNumber, kLine), 0);
        EXPECT_EQ(boxes.Texts(), QStringList {QStringLiteral("There are no devices configured for Telephony use.\n"
                                                             "Would you like to run the Modem Control Panel to add a modem driver?")});
    }
    EXPECT_EQ(opened, 1);
}

TEST(ModemLines, OnlyLinesWithADeviceAndAnIdentifierInRangeCount)
{
    ClearLines();
    ConfigureLine(3, QStringLiteral("/dev/ttyUSB1"));
    Profile::WriteString(kLines, QStringLiteral("Line1 Device"), QStringLiteral("  "));
    ConfigureLine(ModemLines::kMaxLines, QStringLiteral("/dev/ttyUSB2"));
    ConfigureLine(1000, QStringLiteral("/dev/ttyUSB3"));
    const std::vector<ModemLineSetting> lines = ModemLines::Load();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].id, 3);
    EXPECT_EQ(ModemLines::DeviceCount(lines), 4);
    ClearLines();
}
