#include "common/InstallationPaths.h"
#include "image/CVLControllerMemory.h"
#include "image/HtmlRows.h"
#include "image/NodeHtmlView.h"
#include "image/NodeViewSections.h"
#include "image/VLMemoryLayout.h"
#include "platform/ShellOpen.h"
#include "tests/image/ImageTestFixture.h"
#include "tests/support/MessageBoxScript.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>

#include <functional>

namespace {

using namespace VLLayout;

const QDateTime kNow(QDate(2026, 3, 5), QTime(14, 7, 9));

QByteArray Record(int size, std::initializer_list<std::pair<int, QByteArray>> parts)
{
    QByteArray record(size, '\0');
    for (const auto& [at, bytes] : parts)
        record.replace(at, bytes.size(), bytes);
    return record;
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes += static_cast<char>(v);
    return bytes;
}

// One node's download folder, built by the test: its image and any paged files.
class NodeView : public ImageTest
{
protected:
    void SetUp() override
    {
        ImageTest::SetUp();
        ASSERT_TRUE(image.LoadFile(Path("Controller.dat"), 1, 21, kVersion));
    }

    QString Path(const QString& name) const { return Folder() + "/" + name; }
    QString DownloadFolder() const { return Folder() + "/"; }

    void SaveImage() { ASSERT_TRUE(image.SaveFile()); }

    void WriteFile(const QString& name, const QByteArray& bytes) { ASSERT_TRUE(WriteBytes(name, bytes)); }

    // The rows of one section over what the folder holds now.
    QString Section(SectionBuilder build)
    {
        SaveImage();
        NodeViewSources sources(DownloadFolder(), 1, 0x32, kNow);
        return build(sources);
    }

    QByteArray Script()
    {
        SaveImage();
        NodeViewSources sources(DownloadFolder(), 1, 0x32, kNow);
        return NodeHtmlView::DataScript(sources);
    }

    void SetName(int index, const QString& name)
    {
        QString text = name;
        ASSERT_TRUE(image.ExchangeDirectoryName(index, text, 0));
    }

    // A small download: names, a zone, a group, a few records of each paged
    // file except the single transmitters and the card blocks.
    void BuildSmallDownload()
    {
        SetName(kInstallationName, "Harbour View");
        SetName(kControllerName, "Lobby 'A'");
        SetName(kFirstChannelName, "Front Door");
        const int zone = kTimeZones.At(1);
        image.SetByte(zone + 1, 0x81);
        for (int i = 0; i < 4; ++i)
            image.SetByte(zone + 4 + i, static_cast<std::uint8_t>(8 + i * 9));
        image.SetByte(kDoorValGroups.At(1), 3);
        image.SetByte(kDoorSchedules.At(2), 0x05);
        image.SetWord(kTransmitterFacilityCodes.At(0), 1234);
        image.SetWord(kCardFacilityCodes.At(1), 77);
        WriteFile("Cardholders.dat", Record(8, {}) + Record(8, {{0, Bytes({0x80, 2, 0, 0, 0, 0, 0, 0})}})
                                         + Record(8, {{0, Bytes({0x80, 5, 0, 0, 0, 12, 31, 27})}})
                                         + Record(8, {{0, Bytes({0x00, 5})}}));
        WriteFile("DirCodes.dat", Record(52, {{0, Bytes({0x80})}})
                                      + Record(52, {{0, Bytes({0xA1, 0x00})}, {6, Bytes({0, 42})}, {8, "555*0199"},
                                                    {24, "O'Brien & Co"}, {48, Bytes({0x04})}})
                                      + Record(52, {{0, Bytes({0x80, 0xFF})}, {24, "Hidden"}}));
        QByteArray page(4082, '\0');
        page.replace(1, 5, Bytes({0, 0, 0, 0x03, 0xE8}));
        page.replace(6, 5, Bytes({0, 0, 0, 0x04, 0x4B}));
        page.replace(11, 2, Bytes({0, 0x01}));
        page[44] = static_cast<char>(0x40);
        page.replace(282 + 2, 2, Bytes({0, 7}));
        page.replace(282 + 2 * 5, 2, Bytes({1, 2}));
        WriteFile("BlockTransmitters.dat", page + QByteArray(4082, '\0'));
        WriteFile("EntryCodes.dat", Record(11, {}) + Record(11, {{0, Bytes({0xC4, 0xFF, 0xFF, 0x12, 0x34})}, {9, Bytes({0, 9})}})
                                        + Record(11, {{0, Bytes({0x83, 0xFF, 0xFF, 0xF9, 0x87})}, {9, Bytes({1, 0})}}));
        WriteFile("SingleCards.dat", Record(16, {{0, Bytes({0x40, 0, 0, 0, 0x30, 0x39})}, {6, Bytes({0, 2})}, {14, Bytes({0, 3})}})
                                         + Record(16, {{1, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF})}})
                                         + Record(16, {}));
        QByteArray messages(4096, '\0');
        messages.replace(256, 18, QByteArray("Welcome\0\0Don't run", 18));
        WriteFile("DisplayMessages1.dat", messages);
    }

    MessageBoxScript boxes;
    CVLControllerMemory image;
};

TEST_F(NodeView, DataScriptOfASmallDownloadMatchesItsGoldenFile)
{
    BuildSmallDownload();
    const QByteArray script = Script();
    const QString golden = QStringLiteral(WARDIX_TEST_DATA_DIR "/node-view-data.js");
    if (qEnvironmentVariableIsSet("WARDIX_REGENERATE_GOLDEN")) {
        QFile out(golden);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(script);
        GTEST_SKIP() << "golden data.js written";
    }
    QFile in(golden);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(script, in.readAll());

    const QList<QByteArray> lines = script.split('\n');
    ASSERT_EQ(lines.size(), 29) << "28 lines, each ended by CR LF";
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i < 28; ++i)
        EXPECT_TRUE(lines[i].endsWith('\r')) << i;
    EXPECT_TRUE(lines[0].startsWith("var MENU_MAIN = '<table class=\"form\"><tr><td><b>Installation:</b></td><td>Harbour View"));
    EXPECT_EQ(lines[27], "var MENU_EVTNTLOG = 'Eventlog'\r");
}

using WriteFn = std::function<void(const char* name, const QByteArray& bytes)>;

struct EdgeCase
{
    const char* name;
    std::function<void(const WriteFn&, CVLControllerMemory&)> setUp;
    SectionBuilder section;
    const char* expected;
    const char* absent = nullptr;
};

TEST_F(NodeView, SectionEdgeCases)
{
    const EdgeCase cases[] = {
        {"a zone with day byte 0 applies every day and on holidays",
         [](const WriteFn&, CVLControllerMemory& m) { m.SetByte(kTimeZones.At(1) + 1, 0); }, NodeViewSections::TimeZones,
         "<tr><td align=center>1</td><td>X</td><td>X</td><td>X</td><td>X</td><td>X</td><td>&nbsp;</td>"
         "<td>X</td><td>X</td><td>&nbsp;</td><td>X</td><td>&nbsp;</td><td align=center>00:00-00:00</td>"},
        {"zone 0 is never shown", {}, NodeViewSections::TimeZones, "<td align=center>31</td>", "<td align=center>0</td>"},
        {"the first floor of cab 1 only",
         [](const WriteFn&, CVLControllerMemory& m) { m.SetFloorSchedule(1, {1, 0, 0, 0}); }, NodeViewSections::FloorSchedules,
         "<tr><td align=center>1</td><td align=center>10000000&nbsp;00000000&nbsp;00000000&nbsp;</td>"},
        {"floor schedule 0 is never shown", {}, NodeViewSections::FloorSchedules, "<tr><td align=center>31</td>",
         "<tr><td align=center>0</td>"},
        {"door schedule 0 is never shown; doors of a schedule",
         [](const WriteFn&, CVLControllerMemory& m) { m.SetByte(kDoorSchedules.At(3), 0x0A); }, NodeViewSections::DoorSchedules,
         "<tr><td align=center>3</td><td> [B] [D]</td></tr>", "<tr><td align=center>0</td>"},
        {"validation group 0 is never shown", {}, NodeViewSections::DoorValidationGroups,
         "<tr><td align=center>31</td>", "<tr><td align=center>0</td>"},
        {"cardholder set 0 is never shown", {}, NodeViewSections::CardholderSets, "<tr><td align=center>63</td>",
         "<tr><td align=center>0</td>"},
        {"remote devices 1 to 9", {}, NodeViewSections::RemoteDevices, "<tr><td>DV[09]</td>", "DV[10]"},
        {"a block from 1000 to 1099 lists its holders from 1000 on",
         [](const WriteFn& write, CVLControllerMemory&) {
             QByteArray page(4082, '\0');
             page.replace(1, 5, Bytes({0, 0, 0, 0x03, 0xE8}));
             page.replace(6, 5, Bytes({0, 0, 0, 0x04, 0x4B}));
             page.replace(282, 2, Bytes({0, 11}));
             page.replace(282 + 2 * 99, 2, Bytes({0, 12}));
             page[44 + 12] = static_cast<char>(0x10);
             write("BlockCards.dat", page);
         },
         NodeViewSections::CardBlocks,
         "<tr><td align=center>1</td><td align=center>1000</td><td align=center>1099</td><td align=center>0</td>"
         "<td align=center>&nbsp;</td><td align=center>&nbsp;</td></tr>"
         "<tr><td colspan=4>&nbsp;</td><td align=center>1000</td><td align=center>11</td><td align=center>Enabled</td></tr>"
         "<tr><td colspan=4>&nbsp;</td><td align=center>1099</td><td align=center>12</td><td align=center>Inactive</td></tr>"},
        {"a display message's apostrophe is escaped; an empty message keeps its number",
         [](const WriteFn& write, CVLControllerMemory&) {
             QByteArray messages(4096, '\0');
             messages.replace(256, 14, QByteArray("\xFF" "Don't stop\0", 12));
             write("DisplayMessages1.dat", messages);
         },
         NodeViewSections::DisplayMessages, "<tr><td>1</td><td>Don\\'t stop</td></tr>", "<tr><td>0</td>"},
        {"a missing paged file says nothing was downloaded", {}, NodeViewSections::EntryCodes,
         "<tr><td>No Entry Codes downloaded</td></tr>", "<tr bgColor"},
        {"a file cut short has fewer rows",
         [](const WriteFn& write, CVLControllerMemory&) {
             write("Cardholders.dat", Record(8, {{0, Bytes({0x80, 1})}}) + Bytes({0x80, 2, 0}));
         },
         NodeViewSections::Cardholders, "<td align=center>0</td><td align=center>1</td><td align=center>Never Expires</td>",
         "<td align=center>1</td><td align=center>2</td>"},
        {"tenant text cannot break the script or the markup",
         [](const WriteFn& write, CVLControllerMemory&) {
             write("DirCodes.dat", Record(52, {}) + Record(52, {{0, Bytes({0x80, 0})}, {24, "<b>A\\B & 'C'"}}));
         },
         NodeViewSections::DirectoryCodes, "<td align=center>&lt;b&gt;A\\\\B&nbsp;&amp;&nbsp;\\'C\\'</td>"},
        {"unprintable password bytes are left out",
         [](const WriteFn&, CVLControllerMemory& m) {
             for (int i = 0; i < kPriorityPasswordLength; ++i)
                 m.SetByte(kPriorityPassword + i, static_cast<std::uint8_t>(i % 2 ? '7' : 0));
         },
         NodeViewSections::ControllerNames, "<tr><td>Priority Password:</td><td>777</td></tr>"},
        {"a device type beyond its table shows its number",
         [](const WriteFn&, CVLControllerMemory& m) { m.SetByte(kDevices.At(2) + 1, 13); }, NodeViewSections::RemoteDevices,
         "<tr><td>DV[02]</td><td align=center>13</td>"},
        {"an anti-passback time beyond its table shows its number",
         [](const WriteFn&, CVLControllerMemory& m) { m.SetByte(kAntiPassbackTime, 9); }, NodeViewSections::AntiPassback,
         "<tr><td>Anti-PassBack Time: 9</td></tr>"},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (const QString& name : QDir(Folder()).entryList({"*.dat"})) {
            if (name != "Controller.dat")
                QFile::remove(Path(name));
        }
        if (c.setUp)
            c.setUp([this](const char* name, const QByteArray& bytes) { WriteFile(name, bytes); }, image);
        const QString rows = Section(c.section);
        EXPECT_TRUE(rows.contains(QLatin1String(c.expected))) << rows.left(2000).toStdString();
        if (c.absent) {
            EXPECT_FALSE(rows.contains(QLatin1String(c.absent))) << rows.left(2000).toStdString();
        }
    }
}

TEST_F(NodeView, HeaderRowMarksEmptyHeadingsWhite)
{
    EXPECT_EQ(HtmlRows::HeaderRow({"Group", "", "&nbsp;"}),
              "<tr bgColor=#A8C8F7><td align=center><b>Group</b></td><td bgColor=white>&nbsp;</td>"
              "<td align=center><b>&nbsp;</b></td></tr>");
}

TEST_F(NodeView, WriteCopiesThePageFilesAndReplacesAnEarlierView)
{
    BuildSmallDownload();
    SaveImage();
    const QString html = InstallationPaths::BuildPath(InstallationPaths::kProgramHtml, QString(), QString());
    QDir(html).removeRecursively();
    WriteFile("data.js", "stale");
    WriteFile("tree.js", "stale");
    ASSERT_TRUE(NodeHtmlView::Write(DownloadFolder(), html, 1, 0x32, kNow));
    for (const char* name : NodeHtmlView::PageFiles) {
        SCOPED_TRACE(name);
        const QByteArray made = ReadBytes(name);
        EXPECT_FALSE(made.isEmpty());
        QFile source(html + name);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << "the program makes its missing page files";
        EXPECT_EQ(made, source.readAll());
    }
    EXPECT_TRUE(ReadBytes("data.js").startsWith("var MENU_MAIN"));
    EXPECT_TRUE(ReadBytes("Marrowin.htm").contains("data.js"));

    // A page file the program folder holds is copied as it stands.
    QFile own(html + "wf.css");
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("body { color: green; }");
    own.close();
    ASSERT_TRUE(NodeHtmlView::Write(DownloadFolder(), html, 1, 0x32, kNow));
    EXPECT_EQ(ReadBytes("wf.css"), "body { color: green; }");
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(NodeView, AFileOfTheViewThatCannotBeWrittenFailsWithItsMessage)
{
    SaveImage();
    const QString html = InstallationPaths::BuildPath(InstallationPaths::kProgramHtml, QString(), QString());
    for (const char* name : {"data.js", "Marrowin.htm", "wf.css"}) {
        SCOPED_TRACE(name);
        const qsizetype before = boxes.Shown().size();
        QFile::remove(Path(name));
        ASSERT_TRUE(QDir(Folder()).mkdir(name));
        EXPECT_FALSE(NodeHtmlView::Write(DownloadFolder(), html, 1, 0x32, kNow));
        EXPECT_EQ(boxes.Texts().mid(before), QStringList{"Error writing to download file."});
        ASSERT_TRUE(QDir(Folder()).rmdir(name));
    }
}

TEST_F(NodeView, OpenShowsTheFoldersPageWithTheDesktop)
{
    QList<QUrl> opened;
    const ShellOpener previous = SetShellOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    EXPECT_TRUE(NodeHtmlView::Open(DownloadFolder()));
    SetShellOpener(previous);
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(Path("Marrowin.htm"))});
}

} // namespace
