#pragma once

#include "linkforms/INodeCommandHost.h"

class CCommControlForm;

// Stands in while no other host is registered: everything goes to the
// shell's communication form, and the node's stored and in-memory commands
// are removed from the open installation. Without the link's form, what
// needs the link does nothing.
class CommFormNodeCommandHost : public INodeCommandHost
{
public:
    bool IsConnected() const override;
    void Disconnect() override;
    void ServiceQueue() override;
    int GetSelectedNetwork() const override;
    bool HasNetwork(int net) const override;
    void FillNetworkCombo() override;
    void SetErrorText(const QString& text) override;
    void RemoveNodeCommands(int net, int node) override;
    void RemoveAllQueuedCommands() override;
    bool IsDataToProgramShown() const override;
    void SetDataPending() override;
    void MarkNodeForReprogram(std::uint8_t address) override;
    void PollNode(int flag) override;
    void CollectEventLogs() override;

private:
    // The shell's form when it is the link's communication form.
    static CCommControlForm* LinkForm();
};
