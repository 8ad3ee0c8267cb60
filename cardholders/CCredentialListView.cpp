#include "cardholders/CCredentialListView.h"

#include "app/AppObjects.h"
#include "app/CListCtrlEx2.h"
#include "cardholders/CChangeCredentialStatusDlg.h"
#include "cardholders/CardholderIcons.h"
#include "cardholders/CredentialList.h"
#include "cardholders/CredentialNumberField.h"
#include "cardholders/CredentialViewTexts.h"
#include "cardholders/ReportListColumns.h"
#include "common/Formatting.h"
#include "common/SharedHelpers.h"
#include "database/WaitCursor.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kCardholderPrivilege = 0;
// The first column's text as the list gives it to the look-up.
constexpr int kLongestRowText = 19;

enum AllColumn { kNumberColumn, kFacilityColumn, kHolderColumn, kSetColumn, kStatusColumn };

QStringList TextsOf(const CredentialList::Row& row)
{
    return {row.text, row.facilityCodes, row.holder, row.set, row.status};
}

} // namespace

CCredentialListView::CCredentialListView(CredentialKind kind, QWidget* parent)
    : CPaneView(parent),
      m_pDoc(GetInstallationDoc()),
      m_dShowFrom(CredentialList::kLowestNumber),
      m_dShowTo(CredentialList::kHighestNumber),
      m_kind(kind)
{
    const CredentialViewTexts& texts = ViewTextsOf(kind);
    auto* group = new QGroupBox(texts.allFrame, this);
    m_allList = new CListCtrlEx2(group);
    m_allList->SetExtendedMode(CListCtrlEx::kColouredMode);
    m_allList->SetSmallImageList(CardholderIcons::CredentialStatusImages());
    const ListColumn columns[] = {{"", 90}, {"Facility Codes", 85, true}, {"Cardholder", 150}, {"Cardholder Set", 125},
                                  {"Status", 74}};
    SetListColumns(m_allList, columns);
    m_allList->headerItem()->setText(kNumberColumn, texts.numberColumn);
    m_fromEdit = new QLineEdit(FormatWholeNumber(m_dShowFrom), group);
    m_toEdit = new QLineEdit(FormatWholeNumber(m_dShowTo), group);
    m_showAll = new QPushButton(texts.showAll, group);
    auto* range = new QHBoxLayout;
    range->addWidget(m_showAll);
    range->addWidget(new QLabel(QStringLiteral("From:"), group));
    range->addWidget(m_fromEdit);
    range->addWidget(new QLabel(QStringLiteral("To:"), group));
    range->addWidget(m_toEdit);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_allList);
    groupLayout->addLayout(range);
    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(group, 1);

    connect(m_showAll, &QPushButton::clicked, this, &CCredentialListView::OnShowAll);
    connect(m_allList, &QTreeWidget::itemDoubleClicked, this, &CCredentialListView::OnAllListDblClick);
}

void CCredentialListView::SetUpperHalf(QWidget* upper)
{
    m_layout->insertWidget(0, upper, 1);
}

void CCredentialListView::ClearAllList()
{
    m_allList->clear();
}

bool CCredentialListView::UpdateData()
{
    const std::optional<double> from = ReadCredentialNumber(m_fromEdit->text());
    if (!from) {
        m_fromEdit->setFocus();
        return false;
    }
    const std::optional<double> to = ReadCredentialNumber(m_toEdit->text());
    if (!to) {
        m_toEdit->setFocus();
        return false;
    }
    m_dShowFrom = *from;
    m_dShowTo = *to;
    return true;
}

void CCredentialListView::OnShowAll()
{
    if (!UpdateData())
        return;
    WaitCursor wait;
    ClearAllList();
    QList<QTreeWidgetItem*> items;
    for (const CredentialList::Row& row : CredentialList::ListRange(m_kind, m_dShowFrom, m_dShowTo))
        items << NewListItem(m_allList, TextsOf(row), row.itemData, row.image);
    m_allList->addTopLevelItems(items);
    m_allList->sortItems(kNumberColumn, Qt::AscendingOrder);
}

void CCredentialListView::OnAllListDblClick()
{
    QTreeWidgetItem* item = m_allList->currentItem();
    if (!OperatorHasPrivilege(kCardholderPrivilege) || !item || !item->isSelected())
        return;
    WaitCursor wait;
    const QString text = item->text(kNumberColumn).left(kLongestRowText);
    const std::optional<CredentialList::NumberState> before = CredentialList::LoadState(m_kind, text);
    if (!before)
        return;
    CChangeCredentialStatusDlg dialog(this);
    dialog.m_bSuspended = before->suspended;
    dialog.m_bLost = before->lost;
    dialog.m_nAssigned = before->userId;
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CredentialList::NumberState after{dialog.m_bSuspended, dialog.m_bLost, dialog.m_nAssigned};
    if (!CredentialList::StoreState(m_kind, text, *before, after))
        return;
    const std::optional<CredentialList::Row> row = CredentialList::RowOf(m_kind, text);
    if (!row)
        return;
    const int position = m_allList->indexOfTopLevelItem(item);
    delete m_allList->takeTopLevelItem(position);
    QTreeWidgetItem* fresh = NewListItem(m_allList, TextsOf(*row), row->itemData, row->image);
    fresh->setText(kNumberColumn, text);
    m_allList->insertTopLevelItem(position, fresh);
    m_allList->setCurrentItem(fresh);
}
