#include "app/CTabWFOperators.h"

#include "app/CLoginDlg.h"
#include "common/SharedHelpers.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CTabWFOperators::CTabWFOperators(int loggedInSlot, QWidget* parent) : QWidget(parent), m_nLoggedInSlot(loggedInSlot)
{
    setWindowTitle(QStringLiteral("Operators"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Operators:"), this));
    m_operators = new QListWidget(this);
    m_operators->setSelectionMode(QAbstractItemView::SingleSelection);
    m_operators->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    left->addWidget(m_operators);
    auto* buttons = new QHBoxLayout;
    m_new = new QPushButton(QStringLiteral("&New"), this);
    m_delete = new QPushButton(QStringLiteral("&Delete"), this);
    buttons->addWidget(m_new);
    buttons->addWidget(m_delete);
    left->addLayout(buttons);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* form = new QFormLayout;
    m_password = new QLineEdit(this);
    m_confirmation = new QLineEdit(this);
    for (QLineEdit* edit : {m_password, m_confirmation}) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setMaxLength(CLoginDlg::kMaxPasswordLength);
    }
    form->addRow(QStringLiteral("Enter &Password:"), m_password);
    form->addRow(QStringLiteral("&Confirm Password:"), m_confirmation);
    right->addLayout(form);
    m_administrator = new QCheckBox(QStringLiteral("&Administrator privileges"), this);
    right->addWidget(m_administrator);
    m_caption = new QLabel(QStringLiteral("Select the privileges for this operator:"), this);
    right->addWidget(m_caption);
    m_privileges = new QListWidget(this);
    for (int i = 0; i < COperatorStore::kPrivilegeCount; ++i) {
        auto* item = new QListWidgetItem(COperatorStore::PrivilegeKey(i), m_privileges);
        item->setData(Qt::UserRole, i);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    right->addWidget(m_privileges);
    m_description = new QLabel(this);
    right->addWidget(m_description);
    layout->addLayout(right);

    m_bUpdating = true;
    for (const OperatorAccounts::Row& row : OperatorAccounts::StoredOperators())
        AddRow(row, m_operators->count());
    m_bUpdating = false;

    connect(m_new, &QPushButton::clicked, this, &CTabWFOperators::OnNew);
    connect(m_delete, &QPushButton::clicked, this, &CTabWFOperators::OnDelete);
    connect(m_operators, &QListWidget::currentItemChanged, this, &CTabWFOperators::OnRowChanged);
    connect(m_operators, &QListWidget::itemChanged, this, &CTabWFOperators::OnLabelEdited);
    connect(m_operators->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, &CTabWFOperators::OnEditorClosed);
    connect(m_administrator, &QCheckBox::clicked, this, &CTabWFOperators::UpdatePrivilegeVisibility);
    connect(m_privileges, &QListWidget::currentRowChanged, this, &CTabWFOperators::OnPrivilegeRowChanged);
}

QListWidgetItem* CTabWFOperators::AddRow(const OperatorAccounts::Row& row, int at)
{
    auto* item = new QListWidgetItem(row.name);
    item->setData(Qt::UserRole, row.slot);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    m_operators->insertItem(at, item);
    return item;
}

void CTabWFOperators::RemoveRowOf(int slot)
{
    m_bUpdating = true;
    for (int row = 0; row < m_operators->count(); ++row) {
        if (m_operators->item(row)->data(Qt::UserRole).toInt() == slot) {
            delete m_operators->takeItem(row);
            break;
        }
    }
    m_operators->setCurrentItem(nullptr);
    m_bUpdating = false;
    ClearFields();
}

OperatorAccounts::Fields CTabWFOperators::TakeFields() const
{
    OperatorAccounts::Fields fields;
    fields.password = m_password->text();
    fields.confirmation = m_confirmation->text();
    fields.administrator = m_administrator->isChecked() ? 1 : 0;
    for (int i = 0; i < COperatorStore::kPrivilegeCount; ++i)
        fields.privileges[i] = m_privileges->item(i)->checkState() == Qt::Checked ? 1 : 0;
    return fields;
}

void CTabWFOperators::ShowFields(const OperatorAccounts::Fields& fields)
{
    m_password->setText(fields.password);
    m_confirmation->setText(fields.confirmation);
    m_administrator->setChecked(fields.administrator != 0);
    for (int i = 0; i < COperatorStore::kPrivilegeCount; ++i)
        m_privileges->item(i)->setCheckState(fields.privileges[i] ? Qt::Checked : Qt::Unchecked);
    UpdatePrivilegeVisibility();
}

void CTabWFOperators::ClearFields()
{
    m_nSlot = COperatorStore::kNoOperator;
    ShowFields(OperatorAccounts::Fields{});
}

void CTabWFOperators::UpdatePrivilegeVisibility()
{
    // An administrator holds every right anyway.
    const bool visible = !m_administrator->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(m_privileges), static_cast<QWidget*>(m_caption),
                       static_cast<QWidget*>(m_description)})
        w->setVisible(visible);
}

void CTabWFOperators::SaveCurrent()
{
    if (m_nSlot != COperatorStore::kNoOperator)
        OperatorAccounts::SaveOperatorFromPage(m_nSlot, TakeFields());
}

void CTabWFOperators::OnRowChanged(QListWidgetItem* current)
{
    if (m_bUpdating || !current)
        return;
    const int slot = current->data(Qt::UserRole).toInt();
    if (slot == m_nSlot)
        return;
    SaveCurrent();
    const std::optional<OperatorAccounts::Fields> fields = OperatorAccounts::LoadOperatorToPage(slot);
    if (!fields)
        return;
    m_nSlot = slot;
    ShowFields(*fields);
}

void CTabWFOperators::OnNew()
{
    const int slot = OperatorAccounts::AddNewOperator();
    if (slot == COperatorStore::kNoOperator)
        return;
    m_bUpdating = true;
    QListWidgetItem* item = AddRow({QLatin1String(OperatorAccounts::kNewOperatorName), slot}, 0);
    m_bUpdating = false;
    m_operators->setCurrentItem(item);
    m_nNewSlot = slot;
    for (int i = 0; i < COperatorStore::kPrivilegeCount; ++i)
        m_privileges->item(i)->setCheckState(Qt::Checked);
    m_new->setEnabled(false);
    m_operators->setFocus();
    m_operators->editItem(item);
}

void CTabWFOperators::OnLabelEdited(QListWidgetItem* item)
{
    if (m_bUpdating)
        return;
    const int slot = item->data(Qt::UserRole).toInt();
    if (slot == m_nNewSlot)
        m_nNewSlot = COperatorStore::kNoOperator;
    if (OperatorAccounts::EndLabelEdit(slot, item->text())) // the row goes once its edit has ended
        QMetaObject::invokeMethod(this, [this, slot] { RemoveRowOf(slot); }, Qt::QueuedConnection);
    m_new->setEnabled(true);
}

void CTabWFOperators::OnEditorClosed(QWidget*, QAbstractItemDelegate::EndEditHint hint)
{
    // A cancelled edit keeps an existing operator; a new one goes again.
    const int newSlot = m_nNewSlot;
    m_nNewSlot = COperatorStore::kNoOperator;
    if (newSlot != COperatorStore::kNoOperator && hint == QAbstractItemDelegate::RevertModelCache
        && OperatorAccounts::EndLabelEdit(newSlot, QString()))
        QMetaObject::invokeMethod(this, [this, newSlot] { RemoveRowOf(newSlot); }, Qt::QueuedConnection);
    m_new->setEnabled(true);
    m_password->setFocus();
}

void CTabWFOperators::OnDelete()
{
    if (m_nSlot == COperatorStore::kNoOperator)
        return;
    if (OperatorAccounts::DeleteOperator(m_operators->currentItem() ? m_nSlot : COperatorStore::kNoOperator,
                                         m_nLoggedInSlot))
        RemoveRowOf(m_nSlot);
}

void CTabWFOperators::OnPrivilegeRowChanged(int row)
{
    if (row >= 0)
        m_description->setText(OperatorAccounts::Description(row));
}

void CTabWFOperators::OnOK()
{
    if (!m_operators->currentItem())
        return;
    ClearPendingNodeRequest();
    SaveCurrent();
}
