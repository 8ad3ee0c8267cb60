#include "link/CPanelEventGeneric.h"

#include "database/GlobalRecordsets.h"

namespace {
const char* const kUnknownCardholder = "Unknown Cardholder";
} // namespace

CPanelEventGeneric::CPanelEventGeneric(std::uint8_t network, std::uint8_t node, int doorIndex, std::uint32_t type,
                                       std::uint16_t cardholder)
    : CPanelEvent(type, network, node)
{
    const bool namesCardholder = cardholder != 0 && type != kTamperType;
    if (namesCardholder)
        m_activatorText = g_setUsers.FindByID(cardholder) ? g_setUsers.GetDisplayName()
                                                          : QString::fromLatin1(kUnknownCardholder);
    if (g_setVestrels.IsOpen() && g_setVestrels.FindByAddress(network, node)) {
        if (!namesCardholder)
            m_activatorText = g_setVestrels.GetNodeLabel();
        m_doorLabel = g_setVestrels.GetDoorLabel(doorIndex + 1, true);
    }
}

void CPanelEventGeneric::SetActivatorFromCardholder(std::int32_t cardholder)
{
    if (cardholder != 0 && g_setUsers.FindByID(cardholder))
        m_activatorText = g_setUsers.GetDisplayName();
}

QString CPanelEventGeneric::PanelDoorLabel(std::uint8_t network, std::uint8_t node, int doorIndex)
{
    if (g_setVestrels.IsOpen() && g_setVestrels.FindByAddress(network, node))
        return g_setVestrels.GetDoorLabel(doorIndex + 1, true);
    return QString();
}
