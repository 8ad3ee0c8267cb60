#include "app/CTabWfAcountHolderFields.h"

#include "common/SharedHelpers.h"
#include "database/SetupPrivileges.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

CTabWfAcountHolderFields::CTabWfAcountHolderFields(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Account Holder Fields"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Labels"), this);
    auto* form = new QFormLayout(group);
    for (int i = 0; i < kFieldCount; ++i) {
        m_edits[std::size_t(i)] = new QLineEdit(group);
        m_edits[std::size_t(i)]->setMaxLength(kMaxLabelLength);
        form->addRow(QStringLiteral("Field %1").arg(i + 1), m_edits[std::size_t(i)]);
    }
    layout->addWidget(group);
    layout->addStretch();
}

void CTabWfAcountHolderFields::UpdateData(bool save)
{
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        if (save)
            m_strLabels[i] = m_edits[i]->text();
        else
            m_edits[i]->setText(m_strLabels[i].left(kMaxLabelLength));
    }
}

void CTabWfAcountHolderFields::OnInitDialog()
{
    UpdateData(false);
    const bool allowed = OperatorHasPrivilege(SetupPrivilege::ConfigureInstallation);
    for (QLineEdit* edit : m_edits)
        edit->setEnabled(allowed);
}

void CTabWfAcountHolderFields::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_bInitialized) {
        m_bInitialized = true;
        OnInitDialog();
    }
}
