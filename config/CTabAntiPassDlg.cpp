#include "config/CTabAntiPassDlg.h"

#include <QComboBox>
#include <QFormLayout>

CTabAntiPassDlg::CTabAntiPassDlg(CWFDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("CTabAntiPassDlg"));
    m_value.Load(doc);
    auto* form = new QFormLayout(this);
    m_list = new QComboBox(this);
    for (int minutes = 1; minutes <= AntiPassbackValue::kChoices; ++minutes)
        m_list->addItem(QStringLiteral("%1 min").arg(minutes));
    m_list->setCurrentIndex(m_value.index);
    form->addRow(QStringLiteral("Anti-Passback Time:"), m_list);
    // Only the operator's own choice counts as a change.
    connect(m_list, &QComboBox::activated, this, [this] { m_value.chosen = true; });
}

void CTabAntiPassDlg::Store()
{
    m_value.index = m_list->currentIndex();
    m_value.Store(m_doc);
}
