#pragma once

#include "link/CNetCommand.h"

class INetCommandStore;

#include <cstdint>
#include <functional>
#include <list>
#include <memory>

// One node's entry in the network command queue: its state, firmware version,
// standing status poll and the commands waiting for it in memory.
class CNetQueueNode
{
public:
    enum State : std::uint8_t { InService = 1, Suspended = 3 };
    enum View { ConfiguredView = 0, LiveView = 1 };
    static constexpr int kNoIcon = 0;

    virtual ~CNetQueueNode() = default;

    // Icon resource for the configured or the live view; kNoIcon for none.
    virtual int GetIcon(int view) const = 0;
    QString GetTypeText() const { return QString(); }

    // An entry that was not configured ignores state 1 and refuses state 3.
    int SetState(std::uint8_t state);
    std::uint8_t GetState() const { return m_state; }

    void AddPending(std::unique_ptr<CNetCommand> command);
    // In service and with a command waiting: moves the first one out.
    bool TakeNextPending(CNetCommand& command);
    // In service: loads the first stored command of the rows the store now
    // selects; false when there is none or its file cannot be read.
    // Told of a stored command whose file did not load; true once its row is
    // out of the queue.
    using SetAsideUnreadable = std::function<bool(std::int32_t commandId)>;
    bool LoadNextStored(CNetCommand& command, INetCommandStore& store, const SetAsideUnreadable& setAside) const;
    bool HasPending() const { return !m_pending.empty(); }
    std::size_t PendingCount() const { return m_pending.size(); }
    void ClearPending() { m_pending.clear(); }
    // Deletes commands at the head up to the first one addressed to all nodes.
    void DropSingleNodeCommands();

    void SetFirmwareVersion(int major, int minor);
    void GetFirmwareVersion(int& major, int& minor) const;
    bool IsFirmwareSupported() const;

    void SetPanelType(std::uint8_t type) { m_panelType = type; }
    std::uint8_t GetPanelType() const { return m_panelType; }
    void SetActivity(int active) { m_activity = active; }

    int m_reprogramAll = 0; // the panel asked for its whole memory
    int m_configured = 0;   // made from a controller record of the installation
    CNetCommand m_workCommand;

protected:
    struct IconSet
    {
        int panelType1;
        int panelType0;
        int otherPanel;
    };
    int IconFor(int view, const IconSet& inService, const IconSet& suspended) const;

private:
    int m_firmwareMinor = -1;
    int m_firmwareMajor = -1;
    std::list<std::unique_ptr<CNetCommand>> m_pending;
    std::uint8_t m_state = InService;
    std::uint8_t m_panelType = 1;
    int m_activity = 0;
};
