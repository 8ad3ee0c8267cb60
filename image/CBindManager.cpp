#include "image/CBindManager.h"

#include "common/InstallationPaths.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/BinderList.h"
#include "image/BindingLog.h"
#include "image/BindProgress.h"
#include "image/CPagedBinder.h"
#include "image/CVLGlobalMemory.h"
#include "image/DisplayMessageFile.h"
#include "image/IBindDocument.h"
#include "link/CNetCommand.h"
#include "link/CNetCommandQueue.h"
#include "link/NetCommandKinds.h"
#include "link/NodeAddress.h"
#include "platform/Archive.h"
#include "platform/DatabaseException.h"
#include "platform/DurableFiles.h"

#include <QFile>
#include <QFileInfo>

namespace {
constexpr int kNodesPerNetworkCode = 10;
constexpr std::uint8_t kStartArgument = 64;
constexpr std::uint8_t kEndArgument = 1;
constexpr int kGenerateSteps = 9;
constexpr int kStoreSteps = 8;

std::uint8_t NetOf(std::uint8_t nodeCode)
{
    return static_cast<std::uint8_t>(nodeCode / kNodesPerNetworkCode);
}

std::uint8_t NodeOf(std::uint8_t nodeCode)
{
    return static_cast<std::uint8_t>(nodeCode % kNodesPerNetworkCode);
}

// "A1" for network 1, node 1.
QString NodeName(std::uint8_t nodeCode)
{
    return QChar(u'@' + NetOf(nodeCode)) + QString::number(NodeOf(nodeCode));
}

// The runs of units that differ from the reference. Only whole units are
// walked, to the end of the longer file, a missing unit reading as zero: a
// file its bind shrank or emptied must still clear what the panel holds
// beyond its new end.
std::vector<TreeSlotRuns::SlotRun> UnitRuns(const QByteArray& current, const QByteArray& reference, int unit)
{
    return TreeSlotRuns::DifferingRuns(current, reference, unit, std::max(current.size(), reference.size()) / unit);
}
} // namespace

std::uint8_t NodeByteOf(std::uint8_t nodeCode)
{
    return MakeNodeAddress(NetOf(nodeCode), NodeOf(nodeCode));
}

CBindManager::CBindManager(IBindDocument& doc)
    : CBindManager(doc, doc.NetQueue())
{
}

CBindManager::CBindManager(IBindDocument& doc, INetCommandSink& sink)
    : m_doc(doc)
    , m_sink(sink)
{
}

QString CBindManager::ControllerFolder() const
{
    return InstallationPaths::BuildPath(InstallationPaths::kVestrels, QString(), m_doc.InstallationFolder());
}

QString CBindManager::LastProgrammedFolder() const
{
    return InstallationPaths::BuildPath(InstallationPaths::kLastProgrammed, QString(), m_doc.InstallationFolder());
}

int CBindManager::BindAll(DirectoryWorkArea& workArea, int partial)
{
    if (!partial && !BindDisplayMessages())
        return 0;
    m_workArea = &workArea;
    int result = 1;
    for (const BinderEntry& entry : PagedBinders()) {
        if (partial && entry.fullRunOnly)
            continue;
        if (!entry.make(*this)->Bind()) {
            result = 0;
            break;
        }
    }
    m_workArea = nullptr;
    return result;
}

int CBindManager::GenerateNetworkCommands(std::uint8_t nodeCode, int force, int partial, int forceMessages)
{
    BindProgress progress(BindProgress::Plain, QStringLiteral("Generating Net Commands"),
                          QStringLiteral("Generating network commands for %1...").arg(NodeName(nodeCode)),
                          kGenerateSteps);
    int step = 0;
    m_storedForNode = 0;
    m_nodeCopies.clear();
    m_doc.SetBindFlag(0);
    if (!partial) {
        progress.SetPos(++step);
        if (!DisplayMessageCommands(nodeCode, force || forceMessages))
            return 0;
    }
    progress.SetPos(++step);
    if (!ControllerImageCommands(nodeCode, force))
        return 0;
    for (const BinderEntry& entry : PagedBinders()) {
        if (partial && entry.fullRunOnly)
            continue;
        progress.SetPos(++step);
        if (!entry.make(*this)->GenerateCommands(nodeCode, force))
            return 0;
    }
    if (m_storedForNode > 0 && !QueueEndOfUpdate(NetOf(nodeCode), NodeOf(nodeCode)))
        return 0;
    return 1;
}

int CBindManager::StoreInstallationState(int full)
{
    BindProgress progress(BindProgress::Plain, QStringLiteral("Storing Net State"),
                          QStringLiteral("Storing installation state..."), kStoreSteps);
    int step = 0;
    for (const BinderEntry& entry : PagedBinders()) {
        if (!full && entry.fullRunOnly)
            continue;
        progress.SetPos(++step);
        if (!entry.make(*this)->Store())
            return 0;
    }
    if (full && !StoreDisplayMessages())
        return 0;
    return 1;
}

bool CBindManager::RebuildTimeZoneOrder()
{
    CVLGlobalMemory settings;
    if (!settings.LoadGlobalSettings(ControllerFolder()))
        return true;
    settings.BuildTransitionOrder();
    return settings.SaveFile();
}

std::optional<QByteArray> CBindManager::ReadSendableFile(const QString& name, QString& why) const
{
    // A controller's name comes from its row: nothing outside the two
    // folders is read, nor written as its copy.
    if (!InstallationPaths::IsPlainFileName(name)) {
        why = QStringLiteral("is not a plain file name");
        return std::nullopt;
    }
    std::optional<QByteArray> current = ReadWholeFile(ControllerFolder() + QLatin1Char('/') + name);
    if (!current) {
        why = QStringLiteral("cannot be read");
        return std::nullopt;
    }
    // Compared to the end of its copy, a file cut short by anything but its
    // own bind would send zeros over what the panels hold.
    const QFileInfo copy(LastProgrammedFolder() + QLatin1Char('/') + name);
    if (!m_boundFiles.contains(name) && copy.exists() && current->size() < copy.size()) {
        why = QStringLiteral("is shorter than the copy last sent");
        return std::nullopt;
    }
    return current;
}

void CBindManager::LogHeldBack(const QString& name, const QString& why, std::uint8_t nodeCode) const
{
    LogBinding(QStringLiteral("%1 %2: nothing of it was sent to node %3, and its last-programmed copy was kept.")
                   .arg(name, why, NodeName(nodeCode)));
}

int CBindManager::GenerateFileCommands(std::uint8_t nodeCode, int unit, std::uint8_t bank, const QString& name,
                                       int force)
{
    QString why;
    const std::optional<QByteArray> current = ReadSendableFile(name, why);
    if (!current) {
        LogHeldBack(name, why, nodeCode);
        return 1;
    }
    return GenerateUnitCommands(*current, nodeCode, unit, bank, name, force);
}

void CBindManager::StoreFile(const QString& name)
{
    QString why;
    if (const std::optional<QByteArray> current = ReadSendableFile(name, why))
        m_sentCopies.emplace_back(LastProgrammedFolder() + QLatin1Char('/') + name, *current);
}

int CBindManager::GenerateUnitCommands(const QByteArray& current, std::uint8_t nodeCode, int unit,
                                       std::uint8_t bank, const QString& name, int force)
{
    if (unit <= 0 || unit > kMaxWriteLength)
        return 0;
    const QString key = QStringLiteral("%1/%2/%3").arg(name).arg(unit).arg(force);
    const RunsCache::Runs* runs = m_runs.Find(key, current);
    if (!runs) {
        QByteArray reference;
        const QString copyPath = LastProgrammedFolder() + QLatin1Char('/') + name;
        if (!force && QFile::exists(copyPath)) {
            const auto copy = ReadWholeFile(copyPath);
            if (!copy)
                return 0;
            reference = *copy;
        }
        runs = &m_runs.Keep(key, current, UnitRuns(current, reference, unit));
    }
    const std::uint8_t nodeByte = NodeByteOf(nodeCode);
    for (const TreeSlotRuns::SlotRun& run : *runs) {
        if (!QueueMemoryWrite(bank, run.firstSlot, run.data, nodeByte))
            return 0;
    }
    return 1;
}

bool CBindManager::QueueMemoryWrite(std::uint8_t bank, int unitNumber, const QByteArray& data, std::uint8_t nodeByte)
{
    if (data.isEmpty() || data.size() > kMaxWriteLength)
        return false;
    const NetNode place = SplitNodeAddress(nodeByte);
    if (m_sink.TakeStartFlag(place.network, place.node)) {
        CNetCommand start(NetKind::NodeCommand, place.network, place.node,
                          NetCommandData{NodeCommandOp::NodeControl, kStartArgument, 0, 0, 0, 0});
        start.m_timeout = kStartTimeout;
        if (!Store(start))
            return false;
    }
    QByteArray payload;
    payload.reserve(kWriteHeaderLength + data.size());
    payload.append(static_cast<char>(bank));
    payload.append(static_cast<char>(unitNumber >> 8));
    payload.append(static_cast<char>(unitNumber & 0xFF));
    payload.append(static_cast<char>(data.size() >> 8));
    payload.append(static_cast<char>(data.size() & 0xFF));
    payload.append(data);
    return Store(CNetCommand::CNetCommandMemoryUpdate(nodeByte, payload));
}

bool CBindManager::QueueEndOfUpdate(int net, int node)
{
    CNetCommand end(NetKind::NodeCommand, static_cast<std::uint8_t>(net), static_cast<std::uint8_t>(node),
                    NetCommandData{NodeCommandOp::NodeControl, kEndArgument, 0, 0, 0, 0});
    end.m_timeout = kEndTimeout;
    return Store(end);
}

bool CBindManager::Store(const CNetCommand& command)
{
    if (!m_sink.StoreCommand(command))
        return false;
    ++m_storedForNode;
    return true;
}

int CBindManager::DisplayMessageCommands(std::uint8_t nodeCode, int force)
{
    std::uint8_t set = 0;
    if (!m_doc.ControllerDisplayMessageSet(set, 1, nodeCode))
        return 0;
    return GenerateFileCommands(nodeCode, kImageUnit, kDisplayMessageBank, DisplayMessageFile::FileName(set), force);
}

int CBindManager::ControllerImageCommands(std::uint8_t nodeCode, int force)
{
    QString name;
    try {
        if (!g_setVestrels.IsOpen() || !g_setVestrels.FindByAddress(NetOf(nodeCode), NodeOf(nodeCode)))
            return 0;
        name = g_setVestrels.m_FileName;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    QString why;
    const std::optional<QByteArray> image = ReadSendableFile(name, why);
    if (!image) {
        LogHeldBack(name, why, nodeCode);
        return 1;
    }
    if (!GenerateUnitCommands(*image, nodeCode, kImageUnit, kImageBank, name, force))
        return 0;
    // The copy is what was compared, whatever the file holds by now; it is
    // recorded as sent only once the node's commands are kept.
    m_nodeCopies.emplace_back(name, *image);
    return 1;
}

void CBindManager::KeepNodeSent()
{
    for (auto& [name, bytes] : m_nodeCopies)
        m_sentCopies.emplace_back(LastProgrammedFolder() + QLatin1Char('/') + name, std::move(bytes));
    m_nodeCopies.clear();
}

int CBindManager::RecordNodesSent()
{
    // The copies as they were, put back when not all could be replaced: a
    // run whose recording failed is taken back whole.
    struct Copy
    {
        QString path;
        bool existed;
        std::optional<QByteArray> bytes;
    };
    std::vector<Copy> before;
    for (const auto& [path, bytes] : m_sentCopies) {
        const bool existed = QFileInfo::exists(path);
        before.push_back({path, existed, existed ? ReadWholeFile(path) : std::nullopt});
    }
    const bool written = DurableFiles::ReplaceAll(m_sentCopies);
    m_sentCopies.clear();
    if (written)
        return 1;
    for (const Copy& copy : before) {
        if (copy.bytes)
            WriteWholeFile(copy.path, *copy.bytes);
        else if (!copy.existed)
            QFile::remove(copy.path);
    }
    return 0;
}

int CBindManager::BindDisplayMessages()
{
    BindProgress progress(BindProgress::Plain, QString::fromLatin1(kBindingDataCaption),
                          QStringLiteral("Binding Display Messages..."), kDisplayMessageFiles);
    for (int n = 0; n < kDisplayMessageFiles; ++n) {
        std::vector<QString> texts;
        for (int j = 1; j <= DisplayMessageFile::kMessages; ++j) {
            QString text;
            int justification = 0;
            // The lookup has shown its error; a blank message set must not take its place.
            if (!g_setDisplayMessages.GetMessage(text, justification, j, n + 1))
                return 0;
            texts.push_back(text);
        }
        int kept = 0;
        const QByteArray bytes = DisplayMessageFile::Build(texts, kept);
        if (kept < DisplayMessageFile::kMessages)
            LogBinding(QStringLiteral("Display message set %1 is longer than the panel's %2 bytes: "
                                             "messages %3 to %4 were left out.")
                                  .arg(n + 1)
                                  .arg(DisplayMessageFile::kFileSize)
                                  .arg(kept + 1)
                                  .arg(DisplayMessageFile::kMessages));
        const QString name = DisplayMessageFile::FileName(n);
        if (!WriteWholeFile(ControllerFolder() + QLatin1Char('/') + name, bytes))
            return 0;
        NoteBoundFile(name);
        progress.SetPos(n + 1);
    }
    return 1;
}

int CBindManager::StoreDisplayMessages()
{
    // Only the eight sets that are ever bound exist.
    for (int n = 0; n < kDisplayMessageFiles; ++n)
        StoreFile(DisplayMessageFile::FileName(n));
    return 1;
}
