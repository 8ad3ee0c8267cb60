#include "link/CNetQueueNode.h"

#include "link/CNetQueueNodeStd.h"
#include "link/CNetQueueNodeType1.h"
#include "link/INetCommandStore.h"
#include "link/NodeAddress.h"

namespace {
constexpr int kActivityIcon = 479;
constexpr int kFirstSupportedMinorOfMajor0 = 0x10;
constexpr int kLastSupportedMajor = 2;
} // namespace

int CNetQueueNode::SetState(std::uint8_t state)
{
    if (!m_configured) {
        if (state == InService)
            return 1;
        if (state == Suspended)
            return 0;
    }
    m_state = state;
    return 1;
}

void CNetQueueNode::AddPending(std::unique_ptr<CNetCommand> command)
{
    m_pending.push_back(std::move(command));
}

bool CNetQueueNode::TakeNextPending(CNetCommand& command)
{
    if (m_state != InService || m_pending.empty())
        return false;
    command = *m_pending.front();
    m_pending.pop_front();
    return true;
}

bool CNetQueueNode::LoadNextStored(CNetCommand& command, INetCommandStore& store, const SetAsideUnreadable& setAside) const
{
    if (m_state != InService)
        return false;
    QString path;
    std::int32_t commandId = 0;
    while (store.GetNextStoredCommand(path, commandId)) {
        if (command.LoadFromFile(path, commandId))
            return true;
        // A damaged file would stay first in line for ever: it goes aside,
        // unsent, and the next row is tried.
        if (!setAside(commandId))
            return false;
    }
    return false;
}

void CNetQueueNode::DropSingleNodeCommands()
{
    while (!m_pending.empty() && (m_pending.front()->m_frameAddress & NodeAddress::kLowNibble) != NodeAddress::kAllNodes)
        m_pending.pop_front();
}

void CNetQueueNode::SetFirmwareVersion(int major, int minor)
{
    m_firmwareMajor = major;
    m_firmwareMinor = minor;
}

void CNetQueueNode::GetFirmwareVersion(int& major, int& minor) const
{
    major = m_firmwareMajor;
    minor = m_firmwareMinor;
}

bool CNetQueueNode::IsFirmwareSupported() const
{
    if (m_firmwareMajor == -1 || m_firmwareMinor == -1)
        return false;
    if (m_firmwareMajor == 0)
        return m_firmwareMinor >= kFirstSupportedMinorOfMajor0;
    return m_firmwareMajor >= 1 && m_firmwareMajor <= kLastSupportedMajor;
}

int CNetQueueNode::IconFor(int view, const IconSet& inService, const IconSet& suspended) const
{
    const auto byPanelType = [this](const IconSet& icons) {
        return m_panelType == 1 ? icons.panelType1 : m_panelType == 0 ? icons.panelType0 : icons.otherPanel;
    };
    if (view == ConfiguredView)
        return m_configured ? byPanelType(inService) : kNoIcon;
    if (m_state == InService)
        return m_activity == 1 ? kActivityIcon : byPanelType(inService);
    if (m_state == Suspended)
        return byPanelType(suspended);
    return kNoIcon;
}

int CNetQueueNodeType1::GetIcon(int view) const
{
    return IconFor(view, {207, 443, 475}, {435, 445, 476});
}

int CNetQueueNodeStd::GetIcon(int view) const
{
    return IconFor(view, {208, 444, 477}, {436, 446, 478});
}
