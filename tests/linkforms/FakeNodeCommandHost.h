#pragma once

#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "linkforms/CommFormNodeCommandHost.h"
#include "linkforms/INodeCommandHost.h"

#include <QStringList>

#include <utility>
#include <vector>

// Stands where the communication form stands, for as long as it lives:
// connected to the network it is told, recording what it is asked.
class FakeNodeCommandHost : public INodeCommandHost, public ICommControlForm
{
public:
    FakeNodeCommandHost()
    {
        SetNodeCommandHost(this);
        SetCommControlForm(this);
    }
    ~FakeNodeCommandHost() override
    {
        SetNodeCommandHost(nullptr);
        SetCommControlForm(nullptr);
    }

    bool IsConnected() const override { return connectedNet != 0; }
    void Disconnect() override
    {
        connectedNet = 0;
        ++disconnects;
    }
    int GoOnline() override { return 0; }
    void ServiceQueue() override { ++services; }
    int GetSelectedNetwork() const override { return connectedNet; }
    bool HasNetwork(int net) const override { return net >= 1 && net <= 8 && listed[net - 1]; }
    void FillNetworkCombo() override { ++comboFills; }
    void SetErrorText(const QString& text) override { errorTexts << text; }
    // Removes them as the stand-in does, and records the call.
    void RemoveNodeCommands(int net, int node) override
    {
        removedNodes.emplace_back(net, node);
        CommFormNodeCommandHost().RemoveNodeCommands(net, node);
    }
    void RemoveAllQueuedCommands() override { ++allRemoved; }
    bool IsDataToProgramShown() const override { return dataShown; }
    void SetDataPending() override { ++dataPending; }
    void MarkNodeForReprogram(std::uint8_t address) override { marked.push_back(address); }
    void PollNode(int flag) override { polls.push_back(flag); }
    void CollectEventLogs() override { ++eventLogRuns; }

    int connectedNet = 0;
    bool listed[8] = {true, true, true, true, true, true, true, true};
    bool dataShown = false;
    int disconnects = 0;
    int services = 0;
    int comboFills = 0;
    int allRemoved = 0;
    int dataPending = 0;
    int eventLogRuns = 0;
    QStringList errorTexts;
    std::vector<std::pair<int, int>> removedNodes;
    std::vector<std::uint8_t> marked;
    std::vector<int> polls;
};
