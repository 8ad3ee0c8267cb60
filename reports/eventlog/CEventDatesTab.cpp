#include "reports/eventlog/CEventDatesTab.h"

#include "app/CColumnWidths.h"
#include "platform/Clock.h"
#include "reports/eventlog/EventFilterText.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// A picker on the stored date; one that cannot be read shows today.
QDateEdit* AddPicker(QVBoxLayout* layout, const QString& caption, const QString& stored, QWidget* parent)
{
    layout->addWidget(new QLabel(caption, parent));
    auto* picker = new QDateEdit(ReadSearchDate(stored).value_or(Clock::Current().NowLocal().date()), parent);
    picker->setCalendarPopup(true);
    layout->addWidget(picker);
    return picker;
}

} // namespace

CEventDatesTab::CEventDatesTab(CColumnWidths& settings, QWidget* parent)
    : CEventFilterTab(parent), m_settings(settings), m_allDates(new QCheckBox(tr("All dates"), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_allDates);
    auto* period = new QGroupBox(tr("Time Period"), this);
    auto* pickers = new QVBoxLayout(period);
    m_from = AddPicker(pickers, tr("From:"), m_settings.m_eventStartSearchDate, period);
    m_to = AddPicker(pickers, tr("To:"), m_settings.m_eventStopSearchDate, period);
    layout->addWidget(period);
    layout->addStretch();

    m_allDates->setChecked(m_settings.m_allDatesChecked != 0);
    connect(m_allDates, &QCheckBox::clicked, this, &CEventDatesTab::OnAllDates);
    OnAllDates();
}

void CEventDatesTab::OnAllDates()
{
    const bool enabled = !m_allDates->isChecked();
    m_from->setEnabled(enabled);
    m_to->setEnabled(enabled);
}

void CEventDatesTab::UpdateData()
{
    m_strFilter = m_allDates->isChecked() ? QString() : DatesClause(m_from->date(), m_to->date());
}

void CEventDatesTab::OnClose()
{
    UpdateData();
    m_settings.m_allDatesChecked = m_allDates->isChecked() ? 1 : 0;
    m_settings.m_eventStartSearchDate = WriteSearchDate(m_from->date());
    m_settings.m_eventStopSearchDate = WriteSearchDate(m_to->date());
}
