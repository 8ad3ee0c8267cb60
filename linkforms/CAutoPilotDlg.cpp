#include "linkforms/CAutoPilotDlg.h"

#include "linkforms/INodeCommandHost.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

CAutoPilotDlg::CAutoPilotDlg(AutoPilot pilot, QWidget* parent) : QDialog(parent), m_pilot(pilot)
{
    setWindowTitle(QStringLiteral("Wardenfold Auto Pilot"));
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel(QStringLiteral("Status"), this);
    m_status->setObjectName(QStringLiteral("1299"));
    m_time = new QLabel(QStringLiteral("Time"), this);
    m_time->setObjectName(QStringLiteral("1304"));
    m_count = new QLabel(QStringLiteral("Count"), this);
    m_count->setObjectName(QStringLiteral("2712"));
    layout->addWidget(m_status);
    layout->addWidget(m_time);
    layout->addWidget(m_count);
    auto* form = new QFormLayout;
    m_events = new QLineEdit(QString::number(m_pilot.m_eventsToGenerate), this);
    m_events->setObjectName(QStringLiteral("2706"));
    m_events->setValidator(new QIntValidator(0, std::numeric_limits<int>::max(), m_events));
    form->addRow(QStringLiteral("Events to Generate:"), m_events);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    m_start = new QPushButton(QStringLiteral("&Start"), this);
    m_start->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_poll = new QPushButton(QStringLiteral("Poll for Events"), this);
    m_poll->setObjectName(QStringLiteral("2719"));
    buttons->addWidget(m_start);
    buttons->addWidget(cancel);
    buttons->addWidget(m_poll);
    layout->addLayout(buttons);
    connect(m_start, &QPushButton::clicked, this, &CAutoPilotDlg::OnStart);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_poll, &QPushButton::clicked, this, &CAutoPilotDlg::OnPollForEvents);
    connect(&m_timer, &QTimer::timeout, this, &CAutoPilotDlg::OnTimer);
}

void CAutoPilotDlg::OnStart()
{
    m_pilot.m_eventsToGenerate = m_events->text().toInt();
    if (m_pilot.IsRunning()) {
        m_timer.stop();
        m_start->setText(QStringLiteral("Start"));
        m_poll->show();
    } else {
        m_timer.start(AutoPilot::kTickMs);
        m_start->setText(QStringLiteral("Pause"));
        m_poll->hide();
    }
    m_pilot.ToggleRunning();
}

void CAutoPilotDlg::OnTimer()
{
    m_pilot.Tick();
    ShowTexts();
}

void CAutoPilotDlg::ShowTexts()
{
    if (!m_pilot.StatusText().isEmpty())
        m_status->setText(m_pilot.StatusText());
    m_count->setText(m_pilot.CountText());
    m_time->setText(m_pilot.TimeText());
}

void CAutoPilotDlg::OnPollForEvents()
{
    GetNodeCommandHost().CollectEventLogs();
}

void CAutoPilotDlg::done(int result)
{
    m_timer.stop();
    if (m_pilot.IsRunning()) {
        m_pilot.ToggleRunning();
        m_start->setText(QStringLiteral("Start"));
        m_poll->show();
    }
    QDialog::done(result);
}
