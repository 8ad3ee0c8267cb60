#pragma once

#include <QString>

#include <cstdint>

// What the network status pane, the new-node wizard and the Auto Pilot ask of
// the communication control form. The form registers itself; until it does,
// a stand-in over the shell's form and the document answers.
class INodeCommandHost
{
public:
    virtual ~INodeCommandHost() = default;

    virtual bool IsConnected() const = 0;
    virtual void Disconnect() = 0;
    // Sends the next queued command; returns at once.
    virtual void ServiceQueue() = 0;
    // The network chosen in the form's list; 0 for none.
    virtual int GetSelectedNetwork() const = 0;
    // Whether the form's network list offers the network (it is enabled).
    virtual bool HasNetwork(int net) const = 0;
    virtual void FillNetworkCombo() = 0;
    virtual void SetErrorText(const QString& text) = 0;
    // The node's commands, in memory and stored, are gone.
    virtual void RemoveNodeCommands(int net, int node) = 0;
    virtual void RemoveAllQueuedCommands() = 0;
    // The program button shows that data waits to be programmed.
    virtual bool IsDataToProgramShown() const = 0;
    virtual void SetDataPending() = 0;
    virtual void MarkNodeForReprogram(std::uint8_t address) = 0;
    // Starts a status poll pass.
    virtual void PollNode(int flag) = 0;
    // The form's "Eventlog" button.
    virtual void CollectEventLogs() = 0;
};

// The registered host, or the stand-in; never null.
INodeCommandHost& GetNodeCommandHost();
// Null goes back to the stand-in.
void SetNodeCommandHost(INodeCommandHost* host);
