#include "linkforms/CCommControlForm.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "app/TaskState.h"
#include "link/CCommLink.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NetRunResults.h"
#include "linkforms/CDlgSetNetTime.h"
#include "linkforms/CEventPollDlg.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int kErrorLineBlanksAtProgram = 26;
// Longer than a memory write takes to be given up with all its resends.
constexpr int kSendStallMs = 180000;
const char* const kDeferredText =
    "Your data will be added to the network queue after the current commands are sent to the network.";
const char* const kProgramFirstText =
    "Please program all data in the command queue to the network before downloading the Event Log.";

bool AllSet(const NetworkIntTable& table)
{
    return std::all_of(table.begin(), table.end(), [](int done) { return done != 0; });
}
} // namespace

bool CCommControlForm::IsScheduledProgramOrTime() const
{
    const TaskMode mode = CurrentTaskMode();
    return mode == TaskMode::Update || mode == TaskMode::SetTime;
}

void CCommControlForm::OnProgram()
{
    if (!m_link || !Document())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_simpleMode && m_simple && !m_simple->isChecked()) {
        if (IsConnected())
            Disconnect();
    } else if (!m_dataShown && !m_simpleMode) {
        // Nothing to program.
    } else if (m_doc->GetPendingCommandCount() == 0) {
        SetErrorText(QString(kErrorLineBlanksAtProgram, QLatin1Char(' ')));
        NakCount = 0;
        ShowNakCount(0);
        NetResponsive.fill(1);
        m_doc->PrepareNetworkProgramming(0, 0);
        if (m_simpleMode && !IsConnected())
            OnOnOffLine();
        // The run clears the flag once its commands are kept; one that
        // failed leaves it for the next.
        ShowDataToProgram(m_doc->GetDataToProgram());
    } else {
        if (!IsScheduledProgramOrTime())
            ShowMessageBox(QString::fromLatin1(kDeferredText));
        ProgramDeferred = 1;
    }
    if (m_simple)
        m_simple->setChecked(IsConnected());
    QApplication::restoreOverrideCursor();
}

void CCommControlForm::OnEventlog()
{
    if (!m_link || !Document())
        return;
    if (m_doc->GetPendingCommandCount() > 0) {
        ShowMessageBox(QString::fromLatin1(kProgramFirstText));
        return;
    }
    const int net = GetSelectedNetwork();
    if (net < 1 || net > kNetworkCount)
        return;
    QStringList suspended;
    for (int node = 1; node <= CNetCommandQueue::kNodes; ++node) {
        if (m_doc->m_netQueue.HasNode(net, node) && NodeLinkState[net - 1][node - 1] == kNodeStateFailed)
            suspended << QStringLiteral("Node %1 is suspended.").arg(NetRunResults::NodeName(net, node));
    }
    if (!suspended.isEmpty() && CurrentTaskMode() == TaskMode::Update) {
        // Only an interactive connect brings the node back: the log names it.
        for (const QString& reason : suspended)
            NetRunResults::Fail(net, reason);
        NetEventLogDone[net - 1] = 1;
        if (AllSet(NetEventLogDone))
            TaskStepEventLogs = kStepDone;
        return;
    }
    CEventPollDlg dialog(*m_link, m_doc->m_netQueue, *m_doc, window());
    m_eventPoll = &dialog;
    emit dialogOpened(&dialog);
    dialog.DoModal();
    m_eventPoll = nullptr;
}

int CCommControlForm::RunSetNetTimeDialog()
{
    if (!m_link || !Document())
        return 0;
    CDlgSetNetTime dialog(m_doc->m_netQueue, *m_link, window());
    m_setNetTime = &dialog;
    emit dialogOpened(&dialog);
    dialog.QueueSetTime();
    dialog.exec();
    m_setNetTime = nullptr;
    return dialog.Acknowledged();
}

void CCommControlForm::OnStepProgram()
{
    const bool scheduled = IsScheduledProgramOrTime();
    if (scheduled && IsConnected())
        Disconnect();
    OnProgram();
    if (!scheduled)
        return;
    TaskStepProgram = kStepDone;
    if (TaskStepSend != kStepNotStarted)
        TaskStepSend = kStepNotStarted;
}

void CCommControlForm::OnStepSend()
{
    if (!m_link || !Document())
        return;
    if (IsConnected())
        Disconnect();
    if (m_doc->GetPendingCommandCount() == 0) {
        TaskStepSend = kStepDone;
        return;
    }
    if (NetworkCount() >= 2 && m_network->currentIndex() != 0)
        SelectNetwork(m_network->itemData(0).toInt());
    OnOnOffLine();
    if (!IsConnected() || (NetworkCount() < 2 && m_doc->CountQueuedCommands() == 0))
        TaskStepSend = kStepDone;
    else if (IsScheduledProgramOrTime())
        m_runWatch.start();
}

void CCommControlForm::CheckSendStep()
{
    if (TaskStepSend != kStepPosted) {
        m_runWatch.stop();
        return;
    }
    if (m_link && m_link->IsConnecting()) {
        m_sendStall.invalidate();
        return;
    }
    // A scheduled run whose link went down for good (a reconnect that
    // failed, no other network to serve) has nothing more to send; one whose
    // queue stopped shrinking holds only what the link cannot send (rows of
    // a node without an entry, or whose commands wait). Either way the step
    // ends, and what is left fails its network.
    const int pending = m_doc ? m_doc->GetPendingCommandCount() : 0;
    if (IsConnected()) {
        if (!m_sendStall.isValid() || pending != m_stallPending) {
            m_stallPending = pending;
            m_sendStall.start();
            return;
        }
        if (m_sendStall.elapsed() < LinkTiming::Ms(kSendStallMs))
            return;
        Disconnect();
    }
    m_runWatch.stop();
    m_sendStall.invalidate();
    TaskStepSend = kStepDone;
}

template <typename Visit>
void CCommControlForm::VisitListedNetworks(NetworkIntTable& done, int& stepState, Visit visit)
{
    if (m_doc->GetPendingCommandCount() > 0) {
        // Nothing can be collected or set before the queue is sent: the step
        // ends so that the run does.
        stepState = kStepDone;
        return;
    }
    ReadControls();
    if (IsConnected())
        Disconnect();
    if (NetworkCount() >= 2) {
        if (m_network->currentIndex() != 0)
            SelectNetwork(m_network->itemData(0).toInt());
        FillNetworkCombo();
    }
    for (int net = 1; net <= kNetworkCount; ++net)
        done[net - 1] = m_doc->FindQueuedNet(net) ? 0 : 1;
    const auto visitSelected = [&] {
        const int net = GetSelectedNetwork();
        OnOnOffLine();
        visit(net, IsConnected());
        if (IsConnected())
            Disconnect();
    };
    const int first = GetSelectedNetwork();
    visitSelected();
    if (first >= 1 && first <= kNetworkCount)
        done[first - 1] = 1;
    if (NetworkCount() == 1) {
        stepState = kStepDone;
        return;
    }
    for (int net = 2; net <= kNetworkCount; ++net) {
        if (!HasNetwork(net) || done[net - 1])
            continue;
        SelectAndRefill(net);
        visitSelected();
        done[net - 1] = 1;
    }
    stepState = kStepDone;
}

void CCommControlForm::OnStepEventLogs()
{
    if (!m_link || !Document())
        return;
    VisitListedNetworks(NetEventLogDone, TaskStepEventLogs, [this](int, bool connected) {
        if (connected)
            OnEventlog();
    });
}

void CCommControlForm::OnStepTimeSet()
{
    if (!m_link || !Document())
        return;
    VisitListedNetworks(NetTimeSetDone, TaskStepSetTime, [this](int net, bool connected) {
        // A network whose clock was not set failed, whatever the connect said.
        const bool set = connected && RunSetNetTimeDialog();
        if (!set)
            NetRunResults::Fail(net, QStringLiteral("The network's time was not set."));
    });
}

void CCommControlForm::OnStepBackup(quintptr wParam)
{
    const bool fromTask = wParam == kBackupFromTask && CurrentTaskMode() == TaskMode::Backup;
    if (fromTask && IsConnected())
        Disconnect();
    if (Document())
        m_doc->OnFileBackup();
    if (fromTask)
        TaskStepBackup = kStepDone;
}
