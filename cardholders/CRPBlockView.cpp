#include "cardholders/CRPBlockView.h"

#include "app/CListCtrlEx.h"
#include "cardholders/CNewCardBlockDlg.h"
#include "cardholders/CNewXmtrBlockDlg.h"
#include "cardholders/CredentialBlocks.h"
#include "cardholders/CredentialViewTexts.h"
#include "cardholders/ReportListColumns.h"
#include "common/SharedHelpers.h"
#include "database/WaitCursor.h"
#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int kCardholderPrivilege = 0;
constexpr ListColumn kBlockColumns[] = {{"Block", 60}, {"Start", 60}, {"End", 60}, {"Name", 200},
                                        {"Facility Codes", 238}};

} // namespace

CRPBlockView::CRPBlockView(CredentialKind kind, QWidget* parent) : CCredentialListView(kind, parent)
{
    const CredentialViewTexts& texts = ViewTextsOf(kind);
    auto* group = new QGroupBox(texts.blockFrame, this);
    m_blockList = new CListCtrlEx(group);
    SetListColumns(m_blockList, kBlockColumns);
    m_add = new QPushButton(texts.addBlock, group);
    m_delete = new QPushButton(texts.deleteBlock, group);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_blockList);
    layout->addLayout(buttons);
    SetUpperHalf(group);

    const bool editable = OperatorHasPrivilege(kCardholderPrivilege);
    m_add->setVisible(editable);
    m_delete->setVisible(editable);
    connect(m_add, &QPushButton::clicked, this, &CRPBlockView::OnAddBlock);
    connect(m_delete, &QPushButton::clicked, this, &CRPBlockView::OnDeleteBlock);
    FillBlockList();
}

void CRPBlockView::FillBlockList()
{
    WaitCursor wait;
    m_blockList->clear();
    QList<QTreeWidgetItem*> items;
    for (const CredentialBlocks::BlockRow& row : CredentialBlocks::ListBlocks(Kind()))
        items << NewListItem(m_blockList, {row.block, row.start, row.end, row.name, row.facilityCodes}, row.autoNumIndex);
    m_blockList->addTopLevelItems(items);
    m_blockList->sortItems(0, Qt::AscendingOrder);
}

void CRPBlockView::OnAddBlock()
{
    if (!CredentialBlocks::MayAddBlock(Kind()))
        return;
    std::unique_ptr<CNewBlockDlg> dialog;
    if (Kind() == CredentialKind::Card)
        dialog = std::make_unique<CNewCardBlockDlg>(m_pDoc, this);
    else
        dialog = std::make_unique<CNewXmtrBlockDlg>(m_pDoc, this);
    if (dialog->exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    FillBlockList();
    OnShowAll();
    MarkDataToProgram();
}

void CRPBlockView::OnDeleteBlock()
{
    const QTreeWidgetItem* selected = m_blockList->currentItem();
    if (!selected || !selected->isSelected()) {
        ShowMessageBox(QStringLiteral("Please select the block to be deleted."));
        return;
    }
    const std::int32_t block = ItemDataOf(selected);
    if (CredentialBlocks::IsAssigned(Kind(), block))
        return;
    if (ShowMessageBox(ViewTextsOf(Kind()).blockDeleteQuestion, MbButtons::YesNo, MbIcon::Question) != IDYES)
        return;
    WaitCursor wait;
    CredentialBlocks::DeleteBlock(Kind(), block);
    FillBlockList();
    ClearAllList();
}
