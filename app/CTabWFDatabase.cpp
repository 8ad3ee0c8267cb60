#include "app/CTabWFDatabase.h"

#include "app/CWFDoc.h"
#include "app/DatabaseCompaction.h"
#include "common/SharedHelpers.h"
#include "database/EventLogMaintenance.h"
#include "database/GlobalRecordsets.h"
#include "database/SetupPrivileges.h"
#include "database/WaitCursor.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
const QString kDateMask = QStringLiteral("99/99/99");
} // namespace

CTabWFDatabase::CTabWFDatabase(CWFDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setWindowTitle(QStringLiteral("Database"));
    auto* layout = new QVBoxLayout(this);

    auto* optimizeGroup = new QGroupBox(QStringLiteral("Optimize Database In Current Installation"), this);
    auto* optimizeLayout = new QHBoxLayout(optimizeGroup);
    auto* optimizeText = new QLabel(QStringLiteral("Optimizing the database will free unused memory in the network "
                                                   "controllers, and compress Wardenfold's internal databases."),
                                    optimizeGroup);
    optimizeText->setWordWrap(true);
    optimizeLayout->addWidget(optimizeText, 1);
    m_optimize = new QPushButton(QStringLiteral("Optimize"), optimizeGroup);
    optimizeLayout->addWidget(m_optimize);
    layout->addWidget(optimizeGroup);

    auto* logGroup = new QGroupBox(QStringLiteral("Event log"), this);
    auto* logLayout = new QVBoxLayout(logGroup);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(new QLabel(QStringLiteral("Date from which to split event log:"), logGroup));
    m_date = new QLineEdit(logGroup);
    m_date->setInputMask(kDateMask);
    dateRow->addWidget(m_date);
    logLayout->addLayout(dateRow);
    auto* buttons = new QHBoxLayout;
    m_clear = new QPushButton(QStringLiteral("&Clear event log"), logGroup);
    m_split = new QPushButton(QStringLiteral("&Split event log"), logGroup);
    buttons->addWidget(m_clear);
    buttons->addWidget(m_split);
    logLayout->addLayout(buttons);
    layout->addWidget(logGroup);
    layout->addStretch();

    connect(m_optimize, &QPushButton::clicked, this, &CTabWFDatabase::OnOptimize);
    connect(m_clear, &QPushButton::clicked, this, &CTabWFDatabase::OnClearEventLog);
    connect(m_split, &QPushButton::clicked, this, &CTabWFDatabase::OnSplitEventLog);
    OnInitDialog();
}

void CTabWFDatabase::OnInitDialog()
{
    m_date->setText(EventLogMaintenance::FormatSplitDate(Clock::Current().NowLocal().date()));
    const bool allowed = OperatorHasPrivilege(SetupPrivilege::ConfigureInstallation);
    for (QWidget* control : {static_cast<QWidget*>(m_optimize), static_cast<QWidget*>(m_clear),
                             static_cast<QWidget*>(m_split), static_cast<QWidget*>(m_date)})
        control->setEnabled(allowed);
}

void CTabWFDatabase::OnOptimize()
{
    const WaitCursor wait;
    DatabaseCompaction::Optimize(m_doc);
}

void CTabWFDatabase::OnClearEventLog()
{
    if (ShowMessageBox(QStringLiteral("This will permanently clear the event log database."), MbButtons::OkCancel)
        != IDOK)
        return;
    bool cleared = false;
    {
        const WaitCursor wait;
        cleared = EventLogMaintenance::ClearEventLog(g_setEventLog);
    }
    if (cleared)
        ShowMessageBox(QStringLiteral("Event Log Cleared."));
}

void CTabWFDatabase::OnSplitEventLog()
{
    const std::optional<QDate> date = EventLogMaintenance::ParseSplitDate(m_date->text());
    if (!date) {
        ShowMessageBox(QStringLiteral("Please enter the date from which to split the event log as mm/dd/yy."),
                       MbButtons::Ok, MbIcon::Exclamation);
        return;
    }
    if (ShowMessageBox(QStringLiteral("This will permanently split the Event Log database."), MbButtons::OkCancel)
        != IDOK)
        return;
    const WaitCursor wait;
    EventLogMaintenance::SplitEventLog(m_doc.m_strInstallationFolder, *date);
}
