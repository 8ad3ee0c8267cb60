#pragma once

#include "link/CPanelEvent.h"
#include "link/PanelEventTypes.h"

// An event of a door or reader of a panel: its activator is the cardholder
// the record names, else the panel, and it knows the door's label.
class CPanelEventGeneric : public CPanelEvent
{
public:
    CPanelEventGeneric(std::uint8_t network, std::uint8_t node, int doorIndex, std::uint32_t type,
                       std::uint16_t cardholder);

    // A tamper record with no qualifier names no cardholder.
    static constexpr std::uint32_t kTamperType = PanelEventType::Tamper;

protected:
    // Makes the cardholder the activator when the cardholder table has them.
    void SetActivatorFromCardholder(std::int32_t cardholder);
    // Door doorIndex (0-3) of the panel with its "[A1B] " prefix; empty when
    // the panel is not in the controller table.
    static QString PanelDoorLabel(std::uint8_t network, std::uint8_t node, int doorIndex);

    QString m_doorLabel;
};
