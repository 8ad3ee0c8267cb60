#pragma once

#include "link/CCommLink.h"
#include "link/CCommPort.h"
#include "link/CSerialTransport.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "platform/Profile.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/fixtures/SimulatedNetwork.h"
#include "tests/link/FakeLinkParts.h"
#include "tests/linkforms/NetworkStatusPaneFixture.h"

// The communication form's part over the real link: sending goes through
// the link engine to simulated panels on a pseudo-terminal.
class CommLinkNodeCommandHost : public FakeNodeCommandHost
{
public:
    explicit CommLinkNodeCommandHost(CCommLink& link) : m_link(link) {}

    bool IsConnected() const override { return m_link.IsConnected() != 0; }
    void Disconnect() override
    {
        ++disconnects;
        m_link.Disconnect();
    }
    void ServiceQueue() override
    {
        ++services;
        m_link.ServiceQueue();
    }
    int GetSelectedNetwork() const override { return m_link.GetSelectedNetwork(); }
    bool HasNetwork(int net) const override { return m_link.HasNetwork(net); }
    void PollNode(int flag) override
    {
        FakeNodeCommandHost::PollNode(flag);
        m_link.PollNode(flag);
    }

private:
    CCommLink& m_link;
};

// The demo installation's network A (nodes 1-3) on a pseudo-terminal, the
// pane, and the link connected to it by Connect().
class PanelLinkPane : public ProgrammingRun
{
protected:
    static constexpr double kFastLink = 0.02;

    void SetUp() override
    {
        ProgrammingRun::SetUp();
        if (HasFatalFailure())
            return;
        ResetLinkRunState();
        NetQueueState.fill(kNetworkStateNormal);
        ReachPanelsOn(line);
        if (HasFatalFailure())
            return;
        QByteArray status(19, '\0');
        status[17] = char(0x11); // firmware 1.32 on panel type 1
        status[18] = char(0x32);
        for (int node : {1, 2, 3})
            line.WithNode(node, [&](PanelSimulator& panel) { panel.SetStatusRecord(status); });
        pane = std::make_unique<CRPNetworkStatusForm>();
        linkHost.pane = pane.get();
        link.FillNetworkCombo();
    }
    void TearDown() override
    {
        link.Disconnect();
        pane.reset();
        CommPort.reset();
        ProgrammingRun::TearDown();
    }

    void Connect() { ASSERT_EQ(link.Connect(), 1); }
    bool WaitIdle()
    {
        return LinkMessageRecorder::WaitUntil([&] { return !link.IsInFlight(); });
    }

    MessageBoxScript boxes;
    LinkTiming::ScopedScale timing{kFastLink};
    PanelLine line{1, {1, 2, 3}};
    CSerialTransport transport;
    FakeLinkHost linkHost;
    CCommLink link{m_doc.m_netQueue, m_doc, transport, linkHost};
    CommLinkNodeCommandHost host{link};
    std::unique_ptr<CRPNetworkStatusForm> pane;
};
