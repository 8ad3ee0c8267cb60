#include "app/CTabWfAdvance.h"

#include "app/CommandQueueClearing.h"
#include "app/ShellHooks.h"
#include "database/WaitCursor.h"
#include "platform/MessageBox.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CTabWfAdvance::CTabWfAdvance(CWFDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setWindowTitle(QStringLiteral("Advanced"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Clear Network Commands Queue"), this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* text = new QLabel(QStringLiteral("Only clear the command queue if you have problems programming the "
                                           "installation. CLEARING THE COMMAND QUEUE WILL FORCE A REPROGRAM OF THE "
                                           "ENTIRE INSTALLATION."),
                            group);
    text->setWordWrap(true);
    groupLayout->addWidget(text);
    m_clearQueue = new QPushButton(QStringLiteral("&Clear Queue"), group);
    groupLayout->addWidget(m_clearQueue);
    layout->addWidget(group);
    m_autoPilot = new QPushButton(QStringLiteral("Start Wardenfold Auto Pilot"), this);
    m_autoPilot->setObjectName(QStringLiteral("2711"));
    m_autoPilot->setEnabled(static_cast<bool>(Hooks().autoPilotDialog));
    layout->addWidget(m_autoPilot);
    layout->addStretch();
    connect(m_clearQueue, &QPushButton::clicked, this, &CTabWfAdvance::OnClearQueue);
    connect(m_autoPilot, &QPushButton::clicked, this, &CTabWfAdvance::OnAutoPilot);
}

CTabWfAdvance::~CTabWfAdvance() = default;

void CTabWfAdvance::OnAutoPilot()
{
    if (!m_autoPilotDialog && Hooks().autoPilotDialog)
        m_autoPilotDialog = Hooks().autoPilotDialog(this);
    if (m_autoPilotDialog)
        m_autoPilotDialog->exec();
}

void CTabWfAdvance::OnClearQueue()
{
    if (ShowMessageBox(QStringLiteral("Are you sure you want to clear the command queue?"), MbButtons::YesNo,
                       MbIcon::Question)
        != IDYES)
        return;
    bool cleared = false;
    {
        const WaitCursor wait;
        cleared = ClearCommandQueue(m_doc);
    }
    if (cleared)
        ShowMessageBox(QStringLiteral("Command queue cleared."));
}
