#include "link/CNetCommand.h"

#include "common/Formatting.h"
#include "link/MemoryBankNames.h"
#include "link/NetCommandKinds.h"
#include "link/NodeAddress.h"
#include "link/WireFrame.h"
#include "platform/Archive.h"
#include "platform/DurableFiles.h"

#include <initializer_list>

namespace {

constexpr int kDefaultTimeoutMs = 3000;
constexpr int kMemoryReadTimeoutMs = 10000;
constexpr int kEventLogTimeoutMs = 45000;
constexpr int kMemoryWriteTimeoutMs = 12000;

constexpr std::uint8_t kDefaultRetries = 5;
constexpr std::uint8_t kLoginRetries = 3;
constexpr std::uint8_t kPollRetries = 1;
// A node with stored work is worth more attempts before it is given up.
constexpr std::uint8_t kBusyNodeRetries = 5;

constexpr int kMemoryReadPayloadSize = 5;
constexpr int kNodeCommandPayloadSize = 8;
constexpr int kTimeSettingPayloadSize = 6;

// Where a row's payload comes from among d0 to d5.
enum class PayloadSource { None, FromD1, FromD0 };

struct KindRow
{
    std::uint8_t kind;
    const char* sending;
    const char* done;
    const char* failed;
    std::uint8_t expectedReply;
    int timeoutMs;
    std::uint8_t retries;
    PayloadSource source;
    int payloadSize;
};

constexpr KindRow kKindRows[] = {
    {NetKind::LinkLogin, "Polling Master %s", "Connected to %s", "Failed to poll master %s",
     Frame::kAck, kDefaultTimeoutMs, kLoginRetries, PayloadSource::None, 0},
    {NetKind::StatusPoll, "Polling %s", "Retrieved status from %s", "",
     Frame::kNodeStatus, kDefaultTimeoutMs, kPollRetries, PayloadSource::None, 0},
    {NetKind::MemoryRead, "Reading %s on %s", "Memory on %s read", "Failed to read memory on %s",
     Frame::kMemoryData, kMemoryReadTimeoutMs, kDefaultRetries, PayloadSource::FromD1, kMemoryReadPayloadSize},
    {NetKind::EventLogRead, "Reading event log at %s", "Event log at %s read", "Failed to read event log at %s",
     Frame::kEventLogBlock, kEventLogTimeoutMs, kDefaultRetries, PayloadSource::None, 0},
    {NetKind::NodeCommand, "Sending command to %s", "Command sent to %s", "Failed to send command to %s",
     Frame::kAck, kDefaultTimeoutMs, kDefaultRetries, PayloadSource::FromD0, kNodeCommandPayloadSize},
    {NetKind::TimeSetting, "Setting network time", "Network time set", "Failed to set network time",
     Frame::kAck, kDefaultTimeoutMs, kDefaultRetries, PayloadSource::FromD0, kTimeSettingPayloadSize},
    {NetKind::Ack, "Sending ACK to %s", "ACK sent to %s", "Failed to send ACK to %s",
     Frame::kAck, kDefaultTimeoutMs, kDefaultRetries, PayloadSource::None, 0},
};

constexpr const char* kAntiPassbackSending = "Resetting anti-passback status for %c";
constexpr const char* kAntiPassbackDone = "Anti-passback status reset for %c";
constexpr const char* kAntiPassbackFailed = "Failed to reset anti-passback status for %c";

constexpr const char* kMemoryUpdateSending = "Updating %s on %s";
constexpr const char* kMemoryUpdateDone = "Memory on %s written";
constexpr const char* kMemoryUpdateFailed = "Failed Updating %s memory on %s";

constexpr const char* kFileNameFormat = "NetCommands%1.dat";

const KindRow* FindKindRow(std::uint8_t kind)
{
    for (const KindRow& row : kKindRows) {
        if (row.kind == kind)
            return &row;
    }
    return nullptr;
}

// Fills each %s or %c of a status text with the next argument in turn; a
// text with fewer markers ignores the rest.
QString FormatText(const char* format, std::initializer_list<QString> args)
{
    QString text = QString::fromLatin1(format);
    auto arg = args.begin();
    for (qsizetype at = text.indexOf(u'%'); at >= 0 && at + 1 < text.size() && arg != args.end();
         at = text.indexOf(u'%', at)) {
        const QChar marker = text[at + 1];
        if (marker != u's' && marker != u'c') {
            at += 2;
            continue;
        }
        text.replace(at, 2, *arg);
        at += arg->size();
        ++arg;
    }
    return text;
}

QByteArray PayloadFrom(const KindRow& row, const NetCommandData& data)
{
    QByteArray payload(row.payloadSize, '\0');
    const std::size_t first = row.source == PayloadSource::FromD1 ? 1 : 0;
    for (int i = 0; i < row.payloadSize && first + static_cast<std::size_t>(i) < data.size(); ++i)
        payload[i] = static_cast<char>(data[first + static_cast<std::size_t>(i)]);
    return payload;
}

// The window handle cannot outlive the run that stored it, so the file keeps 0.
constexpr std::uint32_t kStoredWindowHandle = 0;

} // namespace

CNetCommand::CNetCommand(std::uint8_t kind, std::uint8_t network, std::uint8_t node,
                         const NetCommandData& data, bool nodeHasStoredWork)
    : m_nodeAddress(MakeNodeAddress(network, node))
{
    const KindRow* row = FindKindRow(kind);
    if (!row)
        return;

    const QString nodeName = FormatNodeName(m_nodeAddress);
    m_kind = kind;
    m_expectedReply = row->expectedReply;
    m_timeout = row->timeoutMs;
    m_retries = row->retries;
    m_frameAddress = m_nodeAddress;
    m_payload = PayloadFrom(*row, data);
    m_strSending = FormatText(row->sending, {nodeName});
    m_strDone = FormatText(row->done, {nodeName});
    m_strFailed = FormatText(row->failed, {nodeName});

    switch (kind) {
    case NetKind::LinkLogin:
    case NetKind::StatusPoll:
        if (nodeHasStoredWork)
            m_retries = kBusyNodeRetries;
        break;
    case NetKind::MemoryRead:
        m_strSending = FormatText(row->sending, {MemoryBankName(data[1]), nodeName});
        break;
    case NetKind::NodeCommand:
        if (data[0] == NodeCommandOp::AntiPassbackReset) {
            const QString letter(GetNetworkLetter(m_nodeAddress));
            m_strSending = FormatText(kAntiPassbackSending, {letter});
            m_strDone = FormatText(kAntiPassbackDone, {letter});
            m_strFailed = FormatText(kAntiPassbackFailed, {letter});
        }
        break;
    case NetKind::TimeSetting:
        m_frameAddress = MakeNodeAddress(network, NodeAddress::kAllNodes);
        break;
    default:
        break;
    }
}

CNetCommand CNetCommand::CNetCommandMemoryUpdate(std::uint8_t frameAddress, QByteArray data)
{
    CNetCommand command;
    const QString nodeName = FormatNodeName(frameAddress);
    const QString bankName = data.isEmpty() ? MemoryBankName(-1) : MemoryBankName(Frame::ByteAt(data, 0));
    command.m_kind = NetKind::MemoryWrite;
    command.m_strSending = FormatText(kMemoryUpdateSending, {bankName, nodeName});
    command.m_strDone = FormatText(kMemoryUpdateDone, {nodeName});
    command.m_strFailed = FormatText(kMemoryUpdateFailed, {bankName, nodeName});
    command.m_payload = std::move(data);
    command.m_timeout = kMemoryWriteTimeoutMs;
    command.m_retries = kDefaultRetries;
    command.m_expectedReply = Frame::kAck;
    command.m_frameAddress = frameAddress;
    return command;
}

QString CNetCommand::FileName(std::int32_t commandId)
{
    return QString::fromLatin1(kFileNameFormat).arg(commandId);
}

QString CNetCommand::UnreadableFileName(const QString& fileName)
{
    return fileName + QStringLiteral(".unreadable");
}

bool CNetCommand::SaveToFile(const QString& path) const
{
    DurableFiles files;
    return SaveToFile(path, files) && files.Sync();
}

bool CNetCommand::SaveToFile(const QString& path, DurableFiles& files) const
{
    ArchiveWriter archive;
    archive.WriteString(m_strSending);
    archive.WriteString(m_strDone);
    archive.WriteString(m_strFailed);
    archive.WriteString(m_strPassword);
    archive.WriteDWord(static_cast<std::uint32_t>(m_kind));
    archive.WriteDWord(static_cast<std::uint32_t>(m_timeout));
    archive.WriteByte(m_retries);
    archive.WriteDWord(static_cast<std::uint32_t>(m_expectedReply));
    archive.WriteDWord(static_cast<std::uint32_t>(m_payload.size()));
    archive.WriteBytes(m_payload);
    archive.WriteDWord(kStoredWindowHandle);
    archive.WriteByte(m_frameAddress);
    return files.Write(path, archive.Bytes());
}

bool CNetCommand::LoadFromFile(const QString& path, std::int32_t commandId)
{
    const std::optional<QByteArray> bytes = ReadWholeFile(path);
    if (!bytes)
        return false;

    ArchiveReader archive(*bytes);
    CNetCommand loaded = *this;
    std::uint32_t kind = 0;
    std::uint32_t timeout = 0;
    std::uint32_t expectedReply = 0;
    std::uint32_t payloadLength = 0;
    std::uint32_t ignoredWindowHandle = 0;
    archive.ReadString(loaded.m_strSending);
    archive.ReadString(loaded.m_strDone);
    archive.ReadString(loaded.m_strFailed);
    archive.ReadString(loaded.m_strPassword);
    archive.ReadDWord(kind);
    archive.ReadDWord(timeout);
    archive.ReadByte(loaded.m_retries);
    archive.ReadDWord(expectedReply);
    archive.ReadDWord(payloadLength);
    archive.ReadBytes(static_cast<qsizetype>(payloadLength), loaded.m_payload);
    archive.ReadDWord(ignoredWindowHandle);
    archive.ReadByte(loaded.m_frameAddress);
    if (!archive.Ok() || !archive.AtEnd())
        return false;

    loaded.m_kind = static_cast<std::int32_t>(kind);
    loaded.m_timeout = static_cast<std::int32_t>(timeout);
    loaded.m_expectedReply = static_cast<std::int32_t>(expectedReply);
    loaded.m_nCommandID = commandId;
    *this = std::move(loaded);
    return true;
}
