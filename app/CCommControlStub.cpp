#include "app/CCommControlStub.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "app/TaskState.h"
#include "common/CommandIds.h"
#include "platform/WindowMessages.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// What a step handler returns to its poster.
constexpr qintptr kStepHandled = 1;
} // namespace

CCommControlStub::CCommControlStub(QWidget* parent) : CPaneView(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_controls = new QWidget(this);
    auto* controlsLayout = new QVBoxLayout(m_controls);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    auto* state = new QLabel(tr("Not connected"), m_controls);
    QFont bold = state->font();
    bold.setBold(true);
    state->setFont(bold);
    controlsLayout->addWidget(state);
    auto* program = new QPushButton(tr("Program"), m_controls);
    program->setToolTip(tr("Store what the panels lack as network commands"));
    connect(program, &QPushButton::clicked, this, [this] { RunProgramming(); });
    controlsLayout->addWidget(program);
    m_status = new QLabel(tr("The panel link is not available yet."), this);
    m_status->setWordWrap(true);
    layout->addWidget(m_controls);
    layout->addWidget(m_status);
    layout->addStretch();
    SetCommControlForm(this);
    TaskTargetWindow = this;
}

CCommControlStub::~CCommControlStub()
{
    if (GetCommControlForm() == this)
        SetCommControlForm(nullptr);
    if (TaskTargetWindow == this)
        TaskTargetWindow = nullptr;
}

void CCommControlStub::ShowControls(int hide)
{
    m_controls->setVisible(hide == 0);
}

void CCommControlStub::RunProgramming()
{
    // Nothing is in flight without a link, so the run need not wait for the
    // queue: it stores what the panels lack, to be sent once the link exists.
    CWFDoc* doc = GetInstallationDoc();
    if (!doc || !doc->m_bInstallationOpen)
        return;
    doc->PrepareNetworkProgramming(0, 0);
    const int stored = doc->GetPendingCommandCount();
    m_status->setText((stored == 1 ? tr("1 command stored for the panels.")
                                   : tr("%1 commands stored for the panels.").arg(stored))
                      + tr(" The panel link is not available yet to send them."));
}

QString CCommControlStub::StatusText() const
{
    return m_status->text();
}

qintptr CCommControlStub::OnAppMessage(unsigned msg, quintptr wParam, qintptr)
{
    switch (msg) {
    case Msg::TaskStepProgram:
        RunProgramming();
        TaskStepProgram = kStepDone;
        return kStepHandled;
    case Msg::TaskStepSend:
        TaskStepSend = kStepDone;
        return kStepHandled;
    case Msg::TaskStepEventLogs:
        TaskStepEventLogs = kStepDone;
        return kStepHandled;
    case Msg::TaskStepBackup:
        // The backup needs no link: it runs for real, the task's and the operator's alike.
        if (CWFDoc* doc = GetInstallationDoc())
            doc->OnFileBackup();
        if (wParam == kBackupFromTask)
            TaskStepBackup = kStepDone;
        return kStepHandled;
    case Msg::TaskStepSetTime:
        TaskStepSetTime = kStepDone;
        return kStepHandled;
    case Msg::WM_COMMAND:
        if (wParam == CommandId::ProgramNetwork)
            RunProgramming();
        else if (wParam == CommandId::OnOffLine || wParam == CommandId::CollectEventLogs)
            m_status->setText(tr("The panel link is not available yet: nothing can be sent or collected."));
        return 0;
    default:
        return 0;
    }
}
