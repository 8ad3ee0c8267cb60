#include "link/CPanelEventDeniedCode.h"
#include "link/PanelEventTypes.h"

#include "common/Formatting.h"
#include "link/CredentialOwners.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"

namespace {
constexpr std::uint8_t kDoorMask = 0x03;

// The owner of a credential number: the block row first, then the single one.
std::int32_t OwnerOf(std::optional<std::int32_t> (*block)(std::uint64_t), std::optional<std::int32_t> (*single)(std::uint64_t),
                     std::uint32_t credential)
{
    if (const std::optional<std::int32_t> owner = block(credential))
        return *owner;
    return single(credential).value_or(0);
}

// The entry-code row of the digits: rows keep the code's whole-number value,
// so 42 and 0042 share one; the row whose code is the digits themselves wins.
bool FindEntryCode(const QString& digits)
{
    if (digits.isEmpty() || !g_setEntryCodes.IsOpen())
        return false;
    const QString criteria = QStringLiteral("dCode = ") + FormatWholeNumber(digits.toDouble());
    bool found = g_setEntryCodes.FindFirst(criteria);
    if (!found)
        return false;
    const RecordBookmark first = g_setEntryCodes.GetBookmark();
    for (bool more = found; more; more = g_setEntryCodes.FindNext(criteria)) {
        if (g_setEntryCodes.m_Code == digits)
            return true;
    }
    g_setEntryCodes.SetBookmark(first);
    return true;
}
} // namespace

CPanelEventDeniedCode::CPanelEventDeniedCode(const QByteArray& record)
    : CPanelEventGeneric(NetworkOf(record), NodeOf(record), Byte(record, kDoorByte) & kDoorMask, PanelEventType::DeniedTransmitter, 0)
{
    const std::uint8_t kind = Byte(record, kTypeByte);
    const std::uint32_t facility = Byte(record, kDoorByte) * 256u + Byte(record, kStateByte);
    const std::uint32_t credential = CredentialOf(record);
    std::int32_t cardholder = 0;
    try {
        switch (kind) {
        case PanelEventType::DeniedTransmitter:
            m_doorText = QStringLiteral("Fac: %1, ID: %2").arg(facility).arg(credential);
            m_eventText = QStringLiteral("Access Denied Transmitter");
            cardholder = OwnerOf(CredentialOwners::BlockTransmitter, CredentialOwners::SingleTransmitter, credential);
            break;
        case PanelEventType::DeniedCard:
            m_doorText = QStringLiteral("Fac: %1, ID: %2").arg(facility).arg(credential);
            m_eventText = QStringLiteral("Access Denied Card");
            cardholder = OwnerOf(CredentialOwners::BlockCard, CredentialOwners::SingleCard, credential);
            break;
        case PanelEventType::DeniedEntryCode: {
            const QString digits = EntryCodeDigits(record);
            m_eventText = QStringLiteral("Access Denied Entry Code");
            if (FindEntryCode(digits)) {
                m_doorText = QStringLiteral("Code: ") + g_setEntryCodes.GetDisplayCode();
                cardholder = g_setEntryCodes.m_UserID;
            } else {
                m_doorText = QStringLiteral("Code: ") + digits;
            }
            break;
        }
        default:
            m_eventText = QStringLiteral("Access Denied - Unknown media");
            break;
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    SetActivatorFromCardholder(cardholder);
}
