#pragma once

#include "linkforms/INodeCommandHost.h"

// Stands in while no communication form registered a host: connection and
// sending go to the shell's form, the node's stored and in-memory commands
// are removed from the open installation, and what needs the link does nothing.
class CommFormNodeCommandHost : public INodeCommandHost
{
public:
    bool IsConnected() const override;
    void Disconnect() override;
    void ServiceQueue() override;
    int GetSelectedNetwork() const override { return 0; }
    bool HasNetwork(int) const override { return false; }
    void FillNetworkCombo() override {}
    void SetErrorText(const QString&) override {}
    void RemoveNodeCommands(int net, int node) override;
    void RemoveAllQueuedCommands() override;
    bool IsDataToProgramShown() const override;
    void SetDataPending() override;
    void MarkNodeForReprogram(std::uint8_t) override {}
    void PollNode(int) override {}
    void CollectEventLogs() override {}
};
