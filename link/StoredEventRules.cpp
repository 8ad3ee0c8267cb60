#include "link/StoredEventRules.h"

#include "database/CSetEventLog.h"
#include "database/GlobalRecordsets.h"
#include "link/CredentialOwners.h"
#include "platform/JetSql.h"

namespace {

constexpr int kYearBase = 2000;
constexpr int kSecondsPerStep = 4;
constexpr int kMinutesPerHour = 60;
constexpr int kInvalidTimeStepSeconds = 2;

// Fixed cardholder numbers that name who acted where no cardholder did.
constexpr std::int32_t kPanelOperator = -1;
constexpr std::int32_t kPostalKey = -2;
constexpr std::int32_t kTimeZone = -3;
constexpr std::int32_t kPriorityAccess = -4;
constexpr std::int32_t kHostOperator = -5;

constexpr std::uint8_t kNodeSource = 5;
constexpr std::uint8_t kDoorMask = 0x03;
constexpr std::uint8_t kDeniedBit = 0x04;
constexpr std::uint8_t kDeniedDoorFlag = 0x10;

const char* const kNotSupported = "Non-supported event type";
const char* const kUnknownMedia = "Unknown Invalid Media type, LOG14";

std::uint8_t At(const QByteArray& bytes, int index)
{
    return static_cast<std::uint8_t>(bytes[index]);
}

std::uint8_t DoorOf(std::uint8_t d)
{
    return static_cast<std::uint8_t>((d & kDoorMask) + 1);
}

// Type 4: the credential kind in the high nibble of the data byte gives the
// row's Mod and where its cardholder is looked up.
void ApplyAccessRule(CSetEventLog& row, std::uint8_t d)
{
    struct CredentialKind
    {
        std::uint8_t kind;
        std::uint8_t mod;
        std::optional<std::int32_t> (*byNumber)(std::uint64_t);
    };
    static constexpr CredentialKind kKinds[] = {
        {3, 16, CredentialOwners::BlockTransmitter}, {4, 15, CredentialOwners::BlockCard},
        {5, 14, nullptr}, // entry code: looked up by its digits
        {6, 17, CredentialOwners::SingleTransmitter}, {7, 36, CredentialOwners::SingleCard},
    };
    row.m_Door = static_cast<std::uint8_t>(DoorOf(d) + ((d & kDeniedBit) ? kDeniedDoorFlag : 0));
    const std::uint64_t number = row.m_Id3 * 256u + row.m_Id4;
    for (const CredentialKind& kind : kKinds) {
        if (kind.kind != d >> 4)
            continue;
        row.m_Mod = kind.mod;
        const std::optional<std::int32_t> owner =
            kind.byNumber ? kind.byNumber(number) : CredentialOwners::EntryCode(row.GetEntryCodeText());
        if (owner)
            row.m_UserID = *owner;
        return;
    }
}

// Type 11: the cardholder of the directory code Id0 Id1.
void ApplyPhoneRule(CSetEventLog& row, std::uint8_t directoryCodeLength)
{
    const QString digits = JetSql::QuoteText(StoredEvent::DirectoryCodeDigits(row.m_Id0 * 256 + row.m_Id1, directoryCodeLength));
    row.m_UserID = 0;
    if (!g_setPhoneEntries.IsOpen())
        return;
    if (g_setPhoneEntries.FindFirst(QStringLiteral("UserDirectoryCode LIKE ") + digits)
        || g_setPhoneEntries.FindFirst(QStringLiteral("UserDirectoryCode = ") + digits))
        row.m_UserID = g_setPhoneEntries.m_UserID;
}

// Types 5 to 7: who locked, unlocked or asked to open.
void ApplyDoorCommandRule(CSetEventLog& row, std::uint8_t d, bool openRequest)
{
    row.m_Id0 = d;
    if (openRequest && (d & 0x80)) {
        row.m_Mod = 19;
        row.m_UserID = kPostalKey;
    } else if (!openRequest && (d & 0xFC) == 0x60) {
        row.m_Mod = 33;
        row.m_UserID = kPriorityAccess;
    } else if ((d & 0xF0) == 0x70) {
        row.m_Mod = 35;
        row.m_UserID = kHostOperator;
    } else {
        row.m_Mod = 18;
        row.m_UserID = kPanelOperator;
    }
    row.m_Door = DoorOf(d);
}

void ApplyInvalidMediaRule(CSetEventLog& row, std::uint8_t d, QStringList& notices)
{
    struct MediaMod
    {
        std::uint8_t data;
        std::uint8_t mod;
    };
    static constexpr MediaMod kMods[] = {{0x20, 32}, {0x21, 33}, {0x22, 34}, {0x30, 27}, {0x31, 28}, {0x32, 29}};
    row.m_Door = kNodeSource;
    for (const MediaMod& entry : kMods) {
        if (entry.data == d) {
            row.m_Mod = entry.mod;
            return;
        }
    }
    notices << QString::fromLatin1(kUnknownMedia);
}

void ApplyTypeRule(CSetEventLog& row, std::uint8_t d, std::uint8_t directoryCodeLength, QStringList& notices)
{
    switch (row.m_Type) {
    case EventType::NotSupported:
    case EventType::NetworkCommand:
        notices << QString::fromLatin1(kNotSupported);
        break;
    case EventType::ObstacleXmtr:
        row.m_Door = (d & 0x01) ? 4 : 3;
        row.m_Mod = (d & 0x01) ? 2 : 1;
        row.m_Ctx = (d & 0x02) ? 1 : (d & 0x04) ? 2 : (d & 0x08) ? 3 : 0;
        break;
    case EventType::ProgramMode:
        row.m_Mod = static_cast<std::uint8_t>(d + 3);
        row.m_UserID = kPanelOperator;
        row.m_Door = kNodeSource;
        break;
    case EventType::Access:
        ApplyAccessRule(row, d);
        break;
    case EventType::Locked:
    case EventType::Unlocked:
        ApplyDoorCommandRule(row, d, false);
        break;
    case EventType::OpenRequest:
        ApplyDoorCommandRule(row, d, true);
        break;
    case EventType::SystemError:
        row.m_Mod = static_cast<std::uint8_t>(d + 20);
        row.m_UserID = kPanelOperator;
        break;
    case EventType::TimeZone:
        row.m_UserID = kTimeZone;
        row.m_Door = DoorOf(d);
        break;
    case EventType::PanelAlarm:
        row.m_Mod = d;
        row.m_Door = DoorOf(d);
        break;
    case EventType::Phone:
        row.m_Mod = d;
        row.m_Door = DoorOf(d);
        ApplyPhoneRule(row, directoryCodeLength);
        break;
    case EventType::PriorityDialIn:
    case EventType::PriorityClose:
    case EventType::PriorityOpen:
        row.m_Mod = d;
        row.m_UserID = kPriorityAccess;
        break;
    case EventType::InvalidCredential:
        ApplyInvalidMediaRule(row, d, notices);
        break;
    case EventType::TimeSet:
        row.m_Mod = 34;
        row.m_Door = kNodeSource;
        row.m_UserID = kHostOperator;
        break;
    case EventType::AntiPassbackViolation:
        row.m_Mod = d;
        row.m_Door = static_cast<std::uint8_t>(row.m_Id1 + 1);
        break;
    case EventType::Tamper:
    case EventType::Screen:
    case EventType::AntiPassbackStatus:
    case EventType::ModuleRelays:
        row.m_Mod = d;
        row.m_Door = kNodeSource;
        break;
    default:
        row.m_Mod = d;
        break;
    }
}

} // namespace

namespace StoredEvent {

std::optional<QDateTime> DecodeTime(const QByteArray& event)
{
    const std::uint8_t b2 = At(event, 2);
    const std::uint8_t b3 = At(event, 3);
    const std::uint8_t b4 = At(event, 4);
    const int minutes = (b3 & 0x7F) * 16 + (b4 >> 4);
    const QDate date(At(event, kYear) + kYearBase, b2 >> 4, (b2 & 0x0F) * 2 + (b3 >> 7));
    const QTime time(minutes / kMinutesPerHour, minutes % kMinutesPerHour, (b4 & 0x0F) * kSecondsPerStep);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

QString DirectoryCodeDigits(int code, std::uint8_t directoryCodeLength)
{
    // Lengths 1 to 3 pad to 2 to 4 digits; any other length does not pad.
    constexpr std::uint8_t kLongestPadded = 3;
    const int width = directoryCodeLength >= 1 && directoryCodeLength <= kLongestPadded ? directoryCodeLength + 1 : 0;
    return QString::number(code).rightJustified(width, QLatin1Char('0'));
}

void FillRow(CSetEventLog& row, std::uint8_t netNode, const QByteArray& event, std::uint8_t directoryCodeLength,
             QDateTime& previousTime, QStringList& notices)
{
    row.m_NetNode = netNode;
    const std::optional<QDateTime> time = DecodeTime(event);
    row.m_Time = time ? *time : previousTime.addSecs(kInvalidTimeStepSeconds);
    previousTime = row.m_Time;
    std::uint8_t* ids[kIdCount] = {&row.m_Id0, &row.m_Id1, &row.m_Id2, &row.m_Id3, &row.m_Id4, &row.m_Id5, &row.m_Id6};
    for (int i = 0; i < kIdCount; ++i)
        *ids[i] = At(event, kFirstId + i);
    row.m_Ctx = At(event, kCtx);
    row.m_Ctx2 = At(event, kCtx2);
    row.m_Ctx3 = At(event, kCtx3);
    row.m_Type = At(event, kType);
    ApplyTypeRule(row, At(event, kData), directoryCodeLength, notices);
}

} // namespace StoredEvent
