#include "link/CPanelEventDialIn.h"
#include "link/CPanelEventDoor.h"
#include "link/CPanelEventElevator.h"
#include "link/CPanelEventInOut.h"
#include "link/CPanelEventStatus.h"
#include "link/CPanelEventTamper.h"
#include "link/CPanelEventUnknownCredential.h"
#include "link/PanelEventTypes.h"

#include "common/Formatting.h"
#include "database/GlobalRecordsets.h"

namespace {
constexpr std::uint8_t kDoorMask = 0x03;
constexpr std::uint8_t kPriorityAccessBit = 0x01;
// A transmitter's facility code fits the low four bits.
constexpr std::uint32_t kTransmitterFacilityMask = 0x0F;
constexpr std::uint8_t kDirectionByte = 8;
constexpr std::uint8_t kIn = 1;
constexpr std::uint8_t kOut = 2;

struct StateText
{
    std::uint8_t state;
    const char* text;
};
constexpr StateText kDoorStateTexts[] = {
    {0, "Deactivated"}, {1, "Open"}, {2, "Force Alarm"}, {3, "Force Alarm, Open"}, {4, "Alarm"},
    {9, "Time Zone Timing, Open"}, {201, "Time Zone Timing, Open"}, {128, "Lock"}, {160, "Lock Closed"},
    {168, "Time Zone Timing, Closed"}, {193, "Lock Open"},
};

QString DoorStateText(std::uint8_t state)
{
    for (const StateText& row : kDoorStateTexts) {
        if (row.state == state)
            return QString::fromLatin1(row.text);
    }
    return QString();
}
} // namespace

CPanelEventDoor::CPanelEventDoor(const QByteArray& record)
    : CPanelEventGeneric(NetworkOf(record), NodeOf(record), Byte(record, kDoorByte) & kDoorMask,
                         TypeValue(record, kStateByte), CardholderOf(record)),
      m_doorIndex(Byte(record, kDoorByte) & kDoorMask)
{
    m_doorState = Byte(record, kStateByte);
    m_doorText = m_doorLabel;
    m_eventText = DoorStateText(m_doorState);
}

CPanelEventDialIn::CPanelEventDialIn(const QByteArray& record)
    : CPanelEvent(TypeValue(record, kDoorByte), NetworkOf(record), NodeOf(record))
{
    if (g_setVestrels.IsOpen() && g_setVestrels.FindByAddress(m_network, m_node))
        m_doorText = g_setVestrels.GetNodeLabel();
    if (Byte(record, kDoorByte) & kPriorityAccessBit) {
        m_eventText = QStringLiteral("Priority Access");
        m_activatorText = QStringLiteral("Dial in");
    }
}

CPanelEventUnknownCredential::CPanelEventUnknownCredential(const QByteArray& record)
    : CPanelEventGeneric(NetworkOf(record), NodeOf(record), Byte(record, kDoorByte) & kDoorMask,
                         PanelEventType::UnknownTransmitter, 0)
{
    const std::uint8_t kind = Byte(record, kTypeByte);
    const std::uint32_t facility = Byte(record, kDoorByte) * 256u + Byte(record, kStateByte);
    const std::uint32_t credential = CredentialOf(record);
    switch (kind) {
    case PanelEventType::UnknownTransmitter:
        m_doorText = QStringLiteral("Fac: %1, ID: %2").arg(facility & kTransmitterFacilityMask).arg(credential);
        m_eventText = QStringLiteral("Unknown Transmitter");
        break;
    case PanelEventType::UnknownCard:
        m_doorText = QStringLiteral("Fac: %1, ID: %2").arg(facility).arg(credential);
        m_eventText = QStringLiteral("Unknown Card");
        break;
    case PanelEventType::UnknownEntryCode:
        m_doorText = QStringLiteral("Code: ") + EntryCodeDigits(record);
        m_eventText = QStringLiteral("Unknown Entry Code");
        break;
    default:
        m_eventText = QStringLiteral("Unknown - Unknown media");
        break;
    }
}

CPanelEventTamper::CPanelEventTamper(const QByteArray& record)
    : CPanelEventGeneric(NetworkOf(record), NodeOf(record), Byte(record, kDoorByte) & kDoorMask,
                         TypeValue(record, kStateByte), CardholderOf(record))
{
    const std::uint8_t status = Byte(record, kStatusByte);
    m_doorText = status == 0 ? QStringLiteral("closed")
        : status == 1        ? QStringLiteral("open")
                             : QStringLiteral("status=%1 is unknown").arg(status);
    m_eventText = QStringLiteral("Tamper switch");
}

CPanelEventStatus::CPanelEventStatus(const QByteArray& record)
    : CPanelEventGeneric(NetworkOf(record), NodeOf(record), Byte(record, kDoorByte) & kDoorMask,
                         TypeValue(record, kStateByte), CardholderOf(record))
{
    const std::uint8_t status = Byte(record, kStatusByte);
    m_doorText = status == 0 ? QStringLiteral("database problem")
        : status == 1        ? QStringLiteral("update error")
                             : QStringLiteral("overflow");
    m_eventText = QStringLiteral("Screen status");
}

CPanelEventInOut::CPanelEventInOut(const QByteArray& record)
    : CPanelEventGeneric(NetworkOf(record), NodeOf(record), Byte(record, kDoorByte) & kDoorMask,
                         TypeValue(record, kStateByte), CardholderOf(record))
{
    const std::uint8_t direction = Byte(record, kDirectionByte);
    const QString label = PanelDoorLabel(m_network, m_node, Byte(record, kCredentialByte));
    const QString way = direction == kIn ? QStringLiteral("(IN)")
        : direction == kOut              ? QStringLiteral("(OUT)")
                                         : QStringLiteral("status=%1 is undefined").arg(direction);
    m_doorText = label + QLatin1Char(' ') + way;
    m_eventText = QStringLiteral("Anti-passback violation");
}

CPanelEventElevator::CPanelEventElevator(const QByteArray& record)
    : CPanelEventGeneric(NetworkOf(record), NodeOf(record), Byte(record, kDoorByte) & kDoorMask,
                         TypeValue(record, kStateByte), CardholderOf(record))
{
    m_doorText = FormatModuleRelays(Byte(record, kRelayByte), Byte(record, kStateByte), Byte(record, kDoorByte));
    m_eventText = QStringLiteral("Elevator open / close");
}
