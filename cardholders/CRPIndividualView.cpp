#include "cardholders/CRPIndividualView.h"

#include "app/CListCtrlEx.h"
#include "cardholders/CIndividualDlg.h"
#include "cardholders/CredentialIndividuals.h"
#include "cardholders/CredentialViewTexts.h"
#include "cardholders/ReportListColumns.h"
#include "common/SharedHelpers.h"
#include "database/WaitCursor.h"
#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kCardholderPrivilege = 0;
constexpr int kNumberWidth = 80;
constexpr int kFacilityWidth = 238;

} // namespace

CRPIndividualView::CRPIndividualView(CredentialKind kind, QWidget* parent) : CCredentialListView(kind, parent)
{
    const CredentialViewTexts& texts = ViewTextsOf(kind);
    auto* group = new QGroupBox(texts.individualFrame, this);
    m_individualList = new CListCtrlEx(group);
    const ListColumn columns[] = {{"", kNumberWidth}, {"", kFacilityWidth}};
    SetListColumns(m_individualList, columns);
    m_individualList->setHeaderLabels({texts.individualColumns[0], texts.individualColumns[1]});
    m_add = new QPushButton(texts.addIndividual, group);
    m_delete = new QPushButton(texts.deleteIndividual, group);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_individualList);
    layout->addLayout(buttons);
    SetUpperHalf(group);

    const bool editable = OperatorHasPrivilege(kCardholderPrivilege);
    m_add->setVisible(editable);
    m_delete->setVisible(editable);
    connect(m_add, &QPushButton::clicked, this, &CRPIndividualView::OnAddIndividual);
    connect(m_delete, &QPushButton::clicked, this, &CRPIndividualView::OnDeleteIndividual);
    FillIndividualList();
}

void CRPIndividualView::FillIndividualList()
{
    WaitCursor wait;
    m_individualList->clear();
    QList<QTreeWidgetItem*> items;
    for (const CredentialIndividuals::IndividualRow& row : CredentialIndividuals::ListIndividuals(Kind()))
        items << NewListItem(m_individualList, {row.number, row.facilityCodes}, row.autoNumIndexSingle);
    m_individualList->addTopLevelItems(items);
    m_individualList->sortItems(0, Qt::AscendingOrder);
}

void CRPIndividualView::OnAddIndividual()
{
    if (!CredentialIndividuals::MayAddIndividual(Kind()))
        return;
    const std::unique_ptr<CIndividualDlg> dialog = CIndividualDlg::Make(Kind(), m_pDoc, this);
    if (dialog->exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    FillIndividualList();
    OnShowAll();
    MarkDataToProgram();
}

void CRPIndividualView::OnDeleteIndividual()
{
    const CredentialViewTexts& texts = ViewTextsOf(Kind());
    const QTreeWidgetItem* selected = m_individualList->currentItem();
    if (!selected || !selected->isSelected()) {
        ShowMessageBox(texts.selectIndividual);
        return;
    }
    const std::int32_t index = ItemDataOf(selected);
    if (CredentialIndividuals::IsAssigned(Kind(), index))
        return;
    if (ShowMessageBox(texts.individualDeleteQuestion, MbButtons::YesNo, MbIcon::Question) != IDYES)
        return;
    WaitCursor wait;
    CredentialIndividuals::DeleteIndividual(Kind(), index);
    FillIndividualList();
    ClearAllList();
}
