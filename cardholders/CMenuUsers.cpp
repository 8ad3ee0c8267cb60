#include "cardholders/CMenuUsers.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFDoc.h"
#include "app/ViewCommands.h"
#include "cardholders/CMoveCardholderDlg.h"
#include "cardholders/CardholderIcons.h"
#include "cardholders/CardholderTreeWidget.h"
#include "common/SharedHelpers.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum ButtonId {
    kAddCardholderId = 1590,
    kDeleteCardholderId = 1591,
    kSuspendCardholderId = 1593,
    kAddSetId = 1595,
    kDeleteSetId = 1597,
    kSuspendSetId = 1599,
};
constexpr int kCardholderPrivilege = 0;

CMainFrame* Frame()
{
    return qobject_cast<CMainFrame*>(GetMainWindow());
}

int ImageOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, CMenuUsers::kImageRole).toInt() : -1;
}

bool IsSet(const QTreeWidgetItem* item)
{
    return ImageOf(item) == CardholderImage::kSet;
}

std::int32_t DataOf(const QTreeWidgetItem* item)
{
    return item->data(0, CMenuUsers::kDataRole).toInt();
}

void SetImage(QTreeWidgetItem* item, int image)
{
    item->setData(0, CMenuUsers::kImageRole, image);
    item->setIcon(0, CardholderIcons::TreeImage(image));
}

} // namespace

CMenuUsers::CMenuUsers(QWidget* parent) : CPaneView(parent)
{
    setObjectName(QStringLiteral("CMenuUsers"));
    const auto makeButton = [this](int id, CardholderIcons::Picture picture, const char* tip) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::number(id));
        button->setIcon(CardholderIcons::ButtonIcon(picture));
        m_toolTip.AddWindowTool(button, QString::fromLatin1(tip));
        return button;
    };
    m_suspendSet = makeButton(kSuspendSetId, CardholderIcons::SetNotSuspended,
                              "Switches cardholder set between suspended and not suspended");
    m_addSet = makeButton(kAddSetId, CardholderIcons::AddSet, "Creates a new cardholder set");
    m_deleteSet = makeButton(kDeleteSetId, CardholderIcons::DeleteSet, "Deletes a cardholder set");
    m_suspendCardholder = makeButton(kSuspendCardholderId, CardholderIcons::SuspendCardholder,
                                     "Switches cardholder between suspended and not suspended");
    m_deleteCardholder = makeButton(kDeleteCardholderId, CardholderIcons::DeleteCardholder, "Deletes a cardholder");
    m_addCardholder = makeButton(kAddCardholderId, CardholderIcons::AddCardholder, "Creates a new cardholder");
    auto* tree = new CardholderTreeWidget(this);
    tree->onBeginDrag = [this](QTreeWidgetItem* item) { OnBeginDrag(item); };
    m_tree = tree;
    m_tree->setObjectName(QStringLiteral("1580"));
    m_tree->header()->hide();
    m_tree->setColumnCount(1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_addCardholder, m_deleteCardholder, m_suspendCardholder, m_addSet, m_deleteSet, m_suspendSet}) {
        buttons->addWidget(b);
        b->setVisible(OperatorHasPrivilege(kCardholderPrivilege));
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_tree);

    connect(m_addCardholder, &QPushButton::clicked, this, &CMenuUsers::OnAddCardholder);
    connect(m_deleteCardholder, &QPushButton::clicked, this, &CMenuUsers::OnDeleteCardholder);
    connect(m_suspendCardholder, &QPushButton::clicked, this, &CMenuUsers::OnSuspendCardholder);
    connect(m_addSet, &QPushButton::clicked, this, &CMenuUsers::OnAddSet);
    connect(m_deleteSet, &QPushButton::clicked, this, &CMenuUsers::OnDeleteSet);
    connect(m_suspendSet, &QPushButton::clicked, this, &CMenuUsers::OnSuspendSet);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CMenuUsers::OnSelectionChanged);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &CMenuUsers::OnItemExpanding);

    m_pDoc = GetInstallationDoc();
    FillTree();
}

QPushButton* CMenuUsers::Button(int id) const
{
    return findChild<QPushButton*>(QString::number(id));
}

void CMenuUsers::FillTree()
{
    const QSignalBlocker block(m_tree);
    m_tree->clear();
    if (!m_pDoc || !m_pDoc->m_bInstallationOpen)
        return;
    std::vector<CardholderSetItem> sets;
    CardholderStore::ListSets(sets);
    for (const CardholderSetItem& set : sets)
        InsertSet(set);
}

QTreeWidgetItem* CMenuUsers::InsertSet(const CardholderSetItem& set)
{
    auto* item = new QTreeWidgetItem(m_tree, QStringList(set.name));
    item->setData(0, kDataRole, set.index);
    item->setData(0, kSuspendedRole, set.suspended);
    SetImage(item, CardholderImage::kSet);
    FillSetCardholders(item);
    return item;
}

void CMenuUsers::FillSetCardholders(QTreeWidgetItem* setItem)
{
    qDeleteAll(setItem->takeChildren());
    const CardholderSetItem set{static_cast<std::uint8_t>(DataOf(setItem)), QString(),
                                setItem->data(0, kSuspendedRole).toBool()};
    std::vector<CardholderItem> cardholders;
    CardholderStore::ListCardholders(set, cardholders);
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<int>(cardholders.size()));
    for (const CardholderItem& c : cardholders) {
        auto* child = new QTreeWidgetItem(QStringList(c.text));
        child->setData(0, kDataRole, c.userId);
        SetImage(child, c.image);
        children.append(child);
    }
    setItem->addChildren(children);
    UpdateSetItemText(setItem);
}

QTreeWidgetItem* CMenuUsers::InsertCardholder(QTreeWidgetItem* setItem, const CardholderItem& cardholder)
{
    auto* child = new QTreeWidgetItem(setItem, QStringList(cardholder.text));
    child->setData(0, kDataRole, cardholder.userId);
    SetImage(child, cardholder.image);
    UpdateSetItemText(setItem);
    return child;
}

void CMenuUsers::UpdateSetItemText(QTreeWidgetItem* item)
{
    QString text = item->text(0);
    const int bracket = text.lastIndexOf(QLatin1Char('['));
    if (bracket > 0)
        text.truncate(bracket);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    if (item->childCount() > 0)
        text = QStringLiteral("%1 [%2]").arg(text, QString::number(item->childCount()));
    item->setText(0, text);
}

void CMenuUsers::RenameSelectedItem(std::int32_t data, const QString& text)
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item || DataOf(item) != data)
        return;
    item->setText(0, text);
    if (IsSet(item))
        UpdateSetItemText(item);
}

void CMenuUsers::OnItemExpanding(QTreeWidgetItem* item)
{
    // The set is filled afresh each time it opens: others may have changed it.
    // Selecting one of its cardholders opens it too; that item must stay.
    QTreeWidgetItem* current = m_tree->currentItem();
    if (IsSet(item) && !(current && current->parent() == item))
        FillSetCardholders(item);
}

void CMenuUsers::SendToRightPane(unsigned msg, quintptr wParam)
{
    if (CMainFrame* frame = Frame())
        SendAppMessage(frame->RightView(), msg, wParam);
}

void CMenuUsers::ShowCardholderButtonIcon(int image)
{
    m_suspendCardholder->setIcon(CardholderIcons::ButtonIcon(
        image == CardholderImage::kSuspended ? CardholderIcons::ActivateCardholder : CardholderIcons::SuspendCardholder));
}

void CMenuUsers::ShowSetButtonIcon(bool suspended)
{
    m_suspendSet->setIcon(CardholderIcons::ButtonIcon(suspended ? CardholderIcons::SetSuspended
                                                                : CardholderIcons::SetNotSuspended));
}

void CMenuUsers::OnSelectionChanged()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return;
    CMainFrame* frame = Frame();
    const int image = ImageOf(item);
    const std::int32_t data = DataOf(item);
    const bool set = image == CardholderImage::kSet;
    if (!set) {
        if (frame && (!m_bUserFormShown || m_bNewRightView))
            frame->ReplaceRightView(PaneKind::Cardholders, QStringLiteral("CRPUser"));
        m_bUserFormShown = true;
        m_bNewRightView = false;
        SendToRightPane(Msg::ShowCardholder, static_cast<quintptr>(data));
        if (image == CardholderImage::kActive)
            SendToRightPane(Msg::CardholderChanged, static_cast<quintptr>(data));
        ShowCardholderButtonIcon(image);
    } else {
        if (frame && (m_bUserFormShown || m_bNewRightView))
            frame->ReplaceRightView(PaneKind::CardholderSet, QStringLiteral("CRPUserGroups"));
        m_bUserFormShown = false;
        m_bNewRightView = false;
        SendToRightPane(Msg::ShowCardholderSet, static_cast<quintptr>(data));
        item->setData(0, kSuspendedRole, CardholderStore::IsSetSuspended(static_cast<std::uint8_t>(data)));
        ShowSetButtonIcon(item->data(0, kSuspendedRole).toBool());
    }
    m_addCardholder->setEnabled(true);
    m_deleteSet->setEnabled(set);
    m_suspendSet->setEnabled(set);
    m_deleteCardholder->setEnabled(!set);
    m_suspendCardholder->setEnabled(!set);
    m_addSet->setEnabled(true);
    m_tree->setFocus();
}

void CMenuUsers::OnAddCardholder()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item) {
        ShowMessageBox(QStringLiteral("Select the cardholder set to add the new user to."));
        return;
    }
    QTreeWidgetItem* setItem = IsSet(item) ? item : item->parent();
    if (!setItem) {
        ShowMessageBox(QStringLiteral("Error getting data for cardholder set."));
        return;
    }
    setItem->setExpanded(true);
    const CardholderItem added = CardholderStore::AddCardholder(static_cast<std::uint8_t>(DataOf(setItem)));
    if (added.userId == 0)
        return;
    QTreeWidgetItem* child = InsertCardholder(setItem, added);
    m_tree->setCurrentItem(child);
    if (m_tree->currentItem() != child) {
        ShowMessageBox(QStringLiteral("Error selecting the new cardholder."));
        return;
    }
    SendToRightPane(Msg::RefreshAfterAdd, 0);
}

void CMenuUsers::OnDeleteCardholder()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item || IsSet(item)) {
        ShowMessageBox(QStringLiteral("Select the cardholder to delete."));
        return;
    }
    if (ShowMessageBox(QStringLiteral("Are you sure you want to remove this cardholder?"), MbButtons::YesNo,
                       MbIcon::Question) != IDYES)
        return;
    if (!CardholderStore::ReleaseCardholder(DataOf(item)))
        return;
    QTreeWidgetItem* parent = item->parent();
    delete item;
    if (parent)
        UpdateSetItemText(parent);
    MarkDataToProgram();
}

void CMenuUsers::OnSuspendCardholder()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item || IsSet(item))
        return;
    const int image = CardholderStore::ToggleCardholder(DataOf(item), ImageOf(item));
    if (image < 0)
        return;
    SetImage(item, image);
    ShowCardholderButtonIcon(image);
}

void CMenuUsers::OnAddSet()
{
    if (!m_pDoc)
        return;
    const std::uint8_t index = CardholderStore::AddSet(*m_pDoc);
    if (index == 0)
        return;
    QTreeWidgetItem* item = InsertSet({index, QStringLiteral("New Cardholder set"), false});
    m_tree->setCurrentItem(item);
    SendToRightPane(Msg::RefreshAfterAdd, 0);
}

void CMenuUsers::OnDeleteSet()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item || !IsSet(item)) {
        ShowMessageBox(QStringLiteral("Select the cardholder set to delete."));
        return;
    }
    const auto set = static_cast<std::uint8_t>(DataOf(item));
    if (!CardholderStore::CanDeleteSet(set))
        return;
    if (ShowMessageBox(QStringLiteral("Are you sure you want to remove this cardholder group?"), MbButtons::YesNo,
                       MbIcon::Question) != IDYES)
        return;
    // The set form goes first, so it does not save the set as it closes.
    if (CMainFrame* frame = Frame())
        frame->ReplaceRightView(PaneKind::Cardholders, QStringLiteral("CRPBlankPane"));
    if (m_pDoc)
        CardholderStore::DeleteSet(*m_pDoc, set);
    m_bNewRightView = true;
    const QSignalBlocker block(m_tree);
    delete item;
}

void CMenuUsers::OnSuspendSet()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item) {
        ShowMessageBox(QStringLiteral("Select the cardholder set to suspend."));
        return;
    }
    if (!IsSet(item))
        return;
    const auto set = static_cast<std::uint8_t>(DataOf(item));
    if (set == CardholderStore::kAllAccessSet) {
        ShowMessageBox(QStringLiteral("You cannot suspend the All Access cardholder set."));
        return;
    }
    if (set == CardholderStore::kNoAccessSet) {
        ShowMessageBox(QStringLiteral("You cannot unsuspend the No Access cardholder set."));
        return;
    }
    const bool suspend = !CardholderStore::IsSetSuspended(set);
    if (suspend
        && ShowMessageBox(QStringLiteral("Are you sure you want to suspend this cardholder set?"), MbButtons::YesNo)
               != IDYES)
        return;
    if (CardholderStore::SetSuspended(set, suspend, item->childCount())) {
        item->setData(0, kSuspendedRole, suspend);
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem* child = item->child(i);
            // An expired cardholder stays shown expired.
            if (ImageOf(child) != CardholderImage::kExpired)
                SetImage(child, suspend ? CardholderImage::kSuspended : CardholderImage::kActive);
        }
        ShowCardholderButtonIcon(suspend ? CardholderImage::kSuspended : CardholderImage::kActive);
    }
    ShowSetButtonIcon(CardholderStore::IsSetSuspended(set));
    MarkDataToProgram();
}

void CMenuUsers::OnBeginDrag(QTreeWidgetItem* item)
{
    if (!OperatorHasPrivilege(kCardholderPrivilege) || !item || IsSet(item))
        return;
    CMoveCardholderDlg dialog(DataOf(item), item->text(0), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    FillTree();
    MarkDataToProgram();
}
