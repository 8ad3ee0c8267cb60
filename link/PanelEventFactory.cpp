#include "link/PanelEventFactory.h"

#include "link/CPanelEventDeniedCode.h"
#include "link/CPanelEventDialIn.h"
#include "link/CPanelEventDoor.h"
#include "link/CPanelEventElevator.h"
#include "link/CPanelEventInOut.h"
#include "link/CPanelEventStatus.h"
#include "link/CPanelEventTamper.h"
#include "link/CPanelEventUnknownCredential.h"
#include "link/PanelEventTypes.h"
#include "platform/WindowMessages.h"

namespace {
template <typename Kind>
bool Use(const QByteArray& record, const std::function<void(const CPanelEvent&)>& use)
{
    const Kind event(record);
    use(event);
    return true;
}
} // namespace

bool BuildPanelEvent(const QByteArray& record, const std::function<void(const CPanelEvent&)>& use)
{
    if (record.size() < CPanelEvent::kRecordSize)
        return false;
    switch (static_cast<std::uint8_t>(record[CPanelEvent::kTypeByte])) {
    case PanelEventType::Door:
        return Use<CPanelEventDoor>(record, use);
    case PanelEventType::DialIn:
        return Use<CPanelEventDialIn>(record, use);
    case PanelEventType::DeniedTransmitter:
    case PanelEventType::DeniedCard:
    case PanelEventType::DeniedEntryCode:
        return Use<CPanelEventDeniedCode>(record, use);
    case PanelEventType::UnknownTransmitter:
    case PanelEventType::UnknownCard:
    case PanelEventType::UnknownEntryCode:
        return Use<CPanelEventUnknownCredential>(record, use);
    case PanelEventType::Tamper:
        return Use<CPanelEventTamper>(record, use);
    case PanelEventType::Status:
        return Use<CPanelEventStatus>(record, use);
    case PanelEventType::InOut:
        return Use<CPanelEventInOut>(record, use);
    case PanelEventType::Elevator:
        return Use<CPanelEventElevator>(record, use);
    default:
        return false;
    }
}

void PostEventRecord(const QByteArray& record, QObject* pane)
{
    BuildPanelEvent(record, [pane](const CPanelEvent& event) {
        SendAppMessage(pane, Msg::PanelEvent, 0, reinterpret_cast<qintptr>(&event));
    });
}
