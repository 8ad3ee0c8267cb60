#include "config/CTabFloorNames.h"

#include "common/SharedHelpers.h"
#include "config/CDlgEditFloorName.h"
#include "config/PageLayout.h"
#include "database/DatabaseErrors.h"
#include "database/FloorRows.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kNameColumnWidth = 143;
constexpr int kIndexRole = Qt::UserRole;
// Floors are named by whoever may change cardholders.
constexpr int kFloorNamesPrivilege = 0;

} // namespace

CTabFloorNames::CTabFloorNames(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CTabFloorNames"));
    auto* layout = new QHBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Floor Names"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_list = new QTreeWidget(group);
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({QStringLiteral("Floor Name")});
    m_list->setColumnWidth(0, kNameColumnWidth);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    groupLayout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    m_edit = new QPushButton(QStringLiteral("&Edit"), group);
    m_delete = new QPushButton(QStringLiteral("&Delete"), group);
    m_add = new QPushButton(QStringLiteral("&Add"), group);
    for (QPushButton* button : {m_add, m_edit, m_delete}) {
        buttons->addWidget(button);
        button->setVisible(OperatorHasPrivilege(kFloorNamesPrivilege));
    }
    groupLayout->addLayout(buttons);
    layout->addWidget(group, 1);

    auto* notes = new QVBoxLayout;
    notes->addWidget(PageLayout::MakeNote(
        QStringLiteral("A floor name is specific to this node. Therefore you can use names that were chosen for other "
                       "nodes.\n\nFor example, you could use the name \"Lobby\" for nodes A1, A2 and B1."),
        PageLayout::NoteKind::Explanation, this));
    notes->addWidget(PageLayout::MakeNote(QStringLiteral("When you assign floor schedules the display will indicate "
                                                         "which floor names are associated with which nodes."),
                                          PageLayout::NoteKind::Explanation, this));
    notes->addStretch(1);
    layout->addLayout(notes, 1);

    connect(m_add, &QPushButton::clicked, this, &CTabFloorNames::OnAdd);
    connect(m_edit, &QPushButton::clicked, this, &CTabFloorNames::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &CTabFloorNames::OnDelete);
    FillList();
}

void CTabFloorNames::FillList()
{
    m_list->clear();
    try {
        QList<QTreeWidgetItem*> items;
        for (const FloorRows::Floor& floor : FloorRows::List(g_setFloorNames)) {
            auto* item = new QTreeWidgetItem(QStringList{floor.name});
            item->setData(0, kIndexRole, floor.index);
            items.append(item);
        }
        m_list->addTopLevelItems(items);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

int CTabFloorNames::SelectedIndex() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(0, kIndexRole).toInt();
}

void CTabFloorNames::OnAdd()
{
    CDlgEditFloorName dialog(CDlgEditFloorName::kAddMode, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        const int index = FloorRows::FreeIndex(g_setFloorNames);
        if (index >= FloorRows::kMaxFloors) {
            ShowMessageBox(QStringLiteral("The max number of floors has been exceeded."));
            return;
        }
        FloorRows::Add(g_setFloorNames, index, dialog.Name());
        emit FloorsChanged();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    FillList();
}

void CTabFloorNames::OnEdit()
{
    const int index = SelectedIndex();
    if (index < 0) {
        ShowMessageBox(QStringLiteral("Please select the floor name you want to edit."));
        return;
    }
    try {
        QString name;
        if (!FloorRows::FindName(g_setFloorNames, index, name))
            return;
        CDlgEditFloorName dialog(CDlgEditFloorName::kEditMode, this);
        dialog.SetName(name);
        if (dialog.exec() != QDialog::Accepted)
            return;
        if (!FloorRows::Rename(g_setFloorNames, index, dialog.Name()))
            return;
        emit FloorsChanged();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    FillList();
}

void CTabFloorNames::OnDelete()
{
    const int index = SelectedIndex();
    if (index < 0) {
        ShowMessageBox(QStringLiteral("Please select the floor name to delete."));
        return;
    }
    try {
        FloorRows::Remove(g_setFloorNames, index);
        MarkDataToProgram();
        emit FloorsChanged();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    FillList();
}
