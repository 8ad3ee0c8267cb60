#include "linkforms/CEventPollDlg.h"

#include "app/TaskState.h"
#include "common/IInstallationDocument.h"
#include "common/SharedHelpers.h"
#include "link/CNetCommandQueue.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
std::uint8_t DirectoryCodeLengthOf(IInstallationDocument& document)
{
    std::uint8_t length = 0;
    document.DirectoryCodeLength(length, 1);
    return length;
}
} // namespace

CEventPollDlg::CEventPollDlg(CCommLink& link, CNetCommandQueue& queue, IInstallationDocument& document, QWidget* parent)
    : QDialog(parent), m_collector(link, queue, DirectoryCodeLengthOf(document)),
      m_controller(new QLabel(QStringLiteral("Preparing....."), this)), m_retrieved(new QLabel(QStringLiteral("0"), this)),
      m_progress(new QProgressBar(this))
{
    setWindowTitle(QStringLiteral("Polling network for new events..."));
    m_progress->setRange(0, CNetCommandQueue::kNodes);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Current Controller:"), m_controller);
    fields->addRow(QStringLiteral("Number of events retrieved:"), m_retrieved);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&Stop"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEventPollDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_progress);
    layout->addWidget(buttons);

    connect(&m_collector, &EventLogCollector::nodeStarted, this, &CEventPollDlg::OnNodeStarted);
    connect(&m_collector, &EventLogCollector::eventsRetrievedChanged, this,
            [this](int count) { m_retrieved->setText(QString::number(count)); });
    connect(&m_collector, &EventLogCollector::finished, this, [this] { done(1); });
}

int CEventPollDlg::DoModal()
{
    if (!RequireConnection(true))
        return -1;
    if (!m_collector.Start()) {
        if (CurrentTaskMode() != TaskMode::Update)
            ShowMessageBox(QStringLiteral("Error polling for events."));
        return 1;
    }
    return m_collector.IsFinished() ? 1 : exec();
}

void CEventPollDlg::reject()
{
    m_collector.RequestStop();
}

void CEventPollDlg::OnNodeStarted(const QString& label)
{
    m_progress->setValue(m_progress->value() + 1);
    m_controller->setText(label);
}
