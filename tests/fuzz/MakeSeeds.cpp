#include "database/COperatorStore.h"
#include "database/OperatorFileCipher.h"
#include "database/RegistryFile.h"
#include "image/CBindTree.h"
#include "image/CVLControllerMemory.h"
#include "image/CVLGlobalMemory.h"
#include "image/DownloadBanks.h"
#include "link/CNetCommand.h"
#include "link/NetCommandKinds.h"
#include "link/PacketBuilder.h"
#include "link/WireFrame.h"
#include "platform/Archive.h"
#include "platform/Clock.h"
#include "platform/PrivateProfile.h"
#include "platform/Profile.h"
#include "tests/fixtures/PanelSimulator.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "tests/helpbridge/HelpTreeWriter.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <memory>

// Writes the seed corpus of every fuzz target into the folder given, from
// the program's own writers (docs/fuzzing.md): fuzz_make_seeds tests/fuzz/corpus
namespace {

QString g_root;

void Seed(const char* target, const char* name, const QByteArray& bytes)
{
    const QString folder = QDir(g_root).filePath(QLatin1String(target));
    QDir().mkpath(folder);
    FuzzSandbox::WriteFile(QDir(folder).filePath(QLatin1String(name)), bytes);
}

QByteArray FileBytes(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadWholeFile(path);
    if (!bytes) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    return *bytes;
}

const FixedClock& TheClock()
{
    static const FixedClock clock(QDateTime(QDate(2026, 3, 29), QTime(1, 30), QTimeZone::utc()));
    return clock;
}

QByteArray Repeated(int count, char value)
{
    return QByteArray(count, value);
}

void FrameSeeds()
{
    Seed("frame_rle", "status-reply", PanelSimulator::MakeReply(0x11, Frame::kNodeStatus, PanelSimulator::SupportedStatus()));
    const CNetCommand write = CNetCommand::CNetCommandMemoryUpdate(
        0x11, QByteArray("\x01\x00\x00\x00\x40", 5) + Repeated(64, '\x55'));
    QByteArray frame;
    SentRequestRecord sent;
    BuildPacket(write, TheClock(), frame, sent);
    Seed("frame_rle", "compressed-write", frame);
}

void CommandSeeds()
{
    const QString path = FuzzSandbox::Get().Path(QStringLiteral("command.dat"));
    const auto save = [&](const char* name, const CNetCommand& command) {
        command.SaveToFile(path);
        Seed("command_file", name, FileBytes(path));
    };
    CNetCommand login(NetKind::LinkLogin, 1, 1);
    login.m_strPassword = QStringLiteral("123456");
    save("login", login);
    save("status-poll", CNetCommand(NetKind::StatusPoll, 1, 2));
    save("node-command", CNetCommand(NetKind::NodeCommand, 1, 3, NetCommandData{NodeCommandOp::NodeControl, 1}));
    save("time-setting", CNetCommand(NetKind::TimeSetting, 1, 0, NetCommandData{TimeSettingMode::StandardTime}));
    save("memory-write", CNetCommand::CNetCommandMemoryUpdate(
                             0x12, QByteArray("\x01\x00\x10\x00\x08", 5) + QByteArray("ABCDEFGH")));
}

void ImageSeeds()
{
    const QString folder = FuzzSandbox::Get().Path(QStringLiteral("images"));
    QDir().mkpath(folder);
    CVLControllerMemory controller;
    controller.LoadFile(folder + QStringLiteral("/Vestrel11.dat"), 1, 11, FirmwareVersion{});
    const QByteArray controllerBytes = FileBytes(folder + QStringLiteral("/Vestrel11.dat"));
    Seed("controller_image", "controller", controllerBytes);
    Seed("controller_image", "short-layout", controllerBytes.left(VLLayout::kShortFileLength));
    CVLGlobalMemory global;
    global.LoadFile(folder + QLatin1Char('/') + QLatin1String(kGlobalSettingsFile), 1, 0, FirmwareVersion{});
    Seed("controller_image", "global-settings", FileBytes(folder + QLatin1Char('/') + QLatin1String(kGlobalSettingsFile)));
    ArchiveWriter archive;
    archive.WriteByte(4);
    archive.WriteString(QStringLiteral("Panel A1"));
    archive.WriteByte(4);
    archive.WriteString(QString(300, QLatin1Char('x')));
    archive.WriteByte(2);
    archive.WriteDWord(0x12345678);
    Seed("controller_image", "archive-strings", archive.Bytes());

    // The node's download: the settings image and a few records of two banks.
    const auto chunk = [](int bank, const QByteArray& bytes) {
        QByteArray out(3, '\0');
        out[0] = static_cast<char>(bank);
        out[1] = static_cast<char>(bytes.size() >> 8);
        out[2] = static_cast<char>(bytes.size() & 0xFF);
        return out + bytes;
    };
    QByteArray download = chunk(DownloadBanks::kSettings, controllerBytes);
    download += chunk(DownloadBanks::kCardholders, QByteArray("\x80\x01\x00\x00\x00\x00\x00\x00"
                                                              "\x80\x02\x00\x00\x00\x00\x00\x00", 16));
    download += chunk(DownloadBanks::kEntryCodes, QByteArray("\xC0\x12\x34\xFF\xFF\x00\x07\x00\x00\x00\x00", 11));
    download += chunk(DownloadBanks::kDisplayMessages, QByteArray(16, '\0') + "WELCOME" + QByteArray(1, '\0'));
    Seed("node_download", "settings-and-records", download);
}

void TreeSeeds()
{
    CBindTree empty(QStringLiteral("seed"), 3, CBindTree::kCredentialRecords);
    empty.MakeHeaderRecord();
    Seed("credential_tree", "empty", empty.FileBytes());
    CBindTree tree(QStringLiteral("seed"), 8, CBindTree::kCredentialRecords);
    for (std::uint64_t key : {500u, 200u, 800u, 100u, 300u}) {
        auto entry = std::make_unique<CBindTreeEntry>(tree.FindFreeSlot(), key);
        entry->GetData()[0] = static_cast<std::uint8_t>(key);
        tree.Add(std::move(entry));
    }
    tree.MakeHeaderRecord();
    Seed("credential_tree", "five-entries", tree.FileBytes());
}

void IniSeeds()
{
    const QString path = FuzzSandbox::Get().Path(QStringLiteral("seed.ini"));
    const auto write = [&](const char* section, const char* key, const QString& value) {
        PrivateProfile::WriteString(QLatin1String(section), QLatin1String(key), value, path);
    };
    QFile::remove(path);
    write("Version", "Installation Version", QStringLiteral("2.00"));
    write("Installation Settings", "Installation Name", QStringLiteral("Main Site"));
    write("Installation Settings", "Data To Program To Network", QStringLiteral("1"));
    write("Installation Settings", "Ignore Case Directory Codes", QStringLiteral("1"));
    Seed("installation_file", "installation", FileBytes(path));
    write("Installation Settings", "Installation Name", QStringLiteral("Zürich Gate"));
    write("Version", "Installation Version", QStringLiteral("1.50"));
    Seed("installation_file", "older-version", FileBytes(path));

    QFile::remove(path);
    write("Options", "Start Time", QStringLiteral("03/29/26 01:30:00"));
    write("Options", "Target Folder", QStringLiteral("/var/backups/wardix"));
    write("Installation 1", "Installation Name", QStringLiteral("Main Site"));
    write("Installation 1", "From Folder", QStringLiteral("/home/site/Installations/Main Site"));
    write("Installation 1", "To Folder", QStringLiteral("/var/backups/wardix/Backup 01-02-03/Main Site"));
    write("Options", "Stop Time", QStringLiteral("03/29/26 01:31:00"));
    Seed("backup_log", "one-installation", FileBytes(path));
}

void OperatorSeeds()
{
    QDir().mkpath(QFileInfo(COperatorStore::GetFilePath()).path());
    COperatorStore store;
    store.AddOperator(QStringLiteral("Admin"));
    store.SetPassword(QStringLiteral("secret"));
    store.SetAdministrator(1);
    COperatorStore guard;
    guard.AddOperator(QStringLiteral("Guard"));
    guard.WriteOperatorInt(COperatorStore::PrivilegeKey(0), 1);
    const QByteArray scrambled = FileBytes(COperatorStore::GetFilePath());
    Seed("operator_file", "scrambled", scrambled);
    Seed("operator_file", "plain", UnscrambleOperatorBytes(scrambled));
}

void RegistrySeeds()
{
    Profile::WriteString(QStringLiteral("Installations"), QStringLiteral("Installation 1"),
                         QStringLiteral("/home/site/Installations/Main Site/Main Site.wfi"));
    Profile::WriteInt(QStringLiteral("Settings"), QStringLiteral("Com Port"), 2);
    Profile::WriteString(QStringLiteral("Settings"), QStringLiteral("Quoted"), QStringLiteral("a \"b\" \\c"));
    Seed("registry_file", "profile", ExportProfileAsRegistry());
}

void HelpSeeds()
{
    const auto asBytes = [](const TreeBytes& tree) {
        return QByteArray(reinterpret_cast<const char*>(tree.data()), static_cast<qsizetype>(tree.size()));
    };
    Seed("help_topic", "one-leaf", asBytes(BuildTree({{{0, "intro.htm"}, {5, "doors.htm"}, {9, "cards.htm"}}})));
    std::vector<TreeEntry> entries;
    for (std::int32_t key = -20; key < 20; key += 2)
        entries.push_back({key, "topic" + std::to_string(key)});
    Seed("help_topic", "three-levels", asBytes(BuildTree(SplitIntoLeaves(entries, 3), {64, 3})));
    Seed("help_topic", "empty", asBytes(EmptyTree()));
}

void ReplySeeds()
{
    // Selector byte (0 status, 1 event, 2 event-log block, 3 any code), then
    // for 3 the code, then the address and the reply's data.
    Seed("panel_reply", "status", QByteArray("\x00\x11", 2) + PanelSimulator::SupportedStatus());
    Seed("panel_reply", "event-door", QByteArray("\x01\x11\x03\x01\x02\x00\x00\x12\x34\x56\x78\x00\x01\x00", 14));
    const QByteArray stored("\x03\x05\x3E\x92\xC3\x00\x00\x12\x34\x00\x00\x00\x01\x0D\x0E\x0F", 16);
    Seed("panel_reply", "event-log-block", QByteArray("\x02\x11\x02", 3) + stored + stored);
    Seed("panel_reply", "event-log-empty", QByteArray("\x02\x11\x00", 3));
    Seed("panel_reply", "nak", QByteArray("\x03\x0D\x11\x02", 4));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: fuzz_make_seeds <corpus folder>\n", stderr);
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    FuzzSandbox::Get();
    FrameSeeds();
    CommandSeeds();
    ImageSeeds();
    TreeSeeds();
    IniSeeds();
    OperatorSeeds();
    RegistrySeeds();
    HelpSeeds();
    ReplySeeds();
    return 0;
}
