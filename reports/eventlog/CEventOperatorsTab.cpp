#include "reports/eventlog/CEventOperatorsTab.h"

#include "reports/eventlog/EventFilterLists.h"
#include "reports/eventlog/EventFilterText.h"

#include <QCheckBox>
#include <QVBoxLayout>

static_assert(std::tuple_size_v<decltype(EventOperatorFilterList)> == 5);

CEventOperatorsTab::CEventOperatorsTab(QWidget* parent) : CEventFilterTab(parent)
{
    auto* layout = new QVBoxLayout(this);
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i] = new QCheckBox(QString::fromLatin1(EventOperatorFilterList[i].text), this);
        layout->addWidget(m_boxes[i]);
    }
    layout->addStretch();
}

void CEventOperatorsTab::UpdateData()
{
    QStringList clauses;
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i]->isChecked())
            clauses << UserClause(EventOperatorFilterList[i].value);
    }
    m_strFilter = JoinClauses(clauses);
}

void CEventOperatorsTab::OnUncheckAll()
{
    for (QCheckBox* box : m_boxes)
        box->setChecked(false);
}
