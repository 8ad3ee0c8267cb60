#pragma once

#include "app/TaskState.h"
#include "link/CCommLink.h"
#include "link/CCommPort.h"
#include "link/CModem.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "linkforms/CCommControlForm.h"
#include "platform/Profile.h"
#include "tests/app/ProgrammingRunFixture.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>

#include <memory>

// The demo installation (network A, nodes 1-3 on COM1) open, its panels
// simulated on a pseudo-terminal, and the communication form over it.
class FormFixture : public ProgrammingRun
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
        NodeLinkState = {};
        TestMode = 0;
        ProgramDeferred = 0;
        CommPort = std::make_unique<CCommPort>();
        Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM1"), line.SlavePath());
        SetNetwork(1, [](CSetVLNetworks& row) { row.m_Password = kPanelPassword; });
        for (int node : {1, 2, 3})
            line.WithNode(node, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
        form = std::make_unique<CCommControlForm>();
    }
    void TearDown() override
    {
        form.reset();
        CommPort.reset();
        Modem.reset();
        TestMode = 0;
        SetTaskMode(TaskMode::None);
        ProgrammingRun::TearDown();
    }

    static inline const QString kPanelPassword = QStringLiteral("123456");

    template <typename Edit>
    static void SetNetwork(int net, Edit edit)
    {
        ASSERT_TRUE(g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(net)));
        g_setVLNetworks.Edit();
        edit(g_setVLNetworks);
        g_setVLNetworks.Update();
    }

    // Network B listed too, on COM2.
    void ActivateNetworkB()
    {
        SetNetwork(2, [](CSetVLNetworks& row) {
            row.m_Active = true;
            row.m_Password = kPanelPassword;
            row.m_ConnectUsing = 2;
        });
        form->FillNetworkCombo();
    }

    template <typename T = QWidget>
    T* Control(int id) const
    {
        return form->findChild<T*>(QString::number(id));
    }

    bool RunUntilSent(int boundMs = 20000)
    {
        return LinkMessageRecorder::WaitUntil(
            [&] { return m_doc.GetPendingCommandCount() == 0 && !form->Link()->IsInFlight(); }, boundMs);
    }

    MessageBoxScript boxes;
    LinkTiming::ScopedScale timing{kFastLink};
    PanelLine line{1, {1, 2, 3}};
    std::unique_ptr<CCommControlForm> form;
};
