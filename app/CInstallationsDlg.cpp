#include "app/CInstallationsDlg.h"

#include "common/SharedHelpers.h"
#include "database/CInstallation.h"
#include "database/WaitCursor.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 32;

} // namespace

CInstallationsDlg::CInstallationsDlg(int mode, QWidget* parent) : QDialog(parent), m_list(mode)
{
    setWindowTitle(m_list.Title());
    auto* layout = new QVBoxLayout(this);
    m_rows = new QListWidget(this);
    m_rows->setViewMode(QListView::IconMode);
    m_rows->setIconSize(QSize(kIconSize, kIconSize));
    m_rows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rows->setSortingEnabled(true);
    m_rows->setContextMenuPolicy(Qt::CustomContextMenu);
    if (mode == InstallationsList::kInstallationsMode)
        m_rows->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    else
        m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_rows);
    layout->addWidget(new QLabel(QStringLiteral("If a backup does not appear, you have to specify its location."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* browse = buttons->addButton(QStringLiteral("&Browse"), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CInstallationsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInstallationsDlg::reject);
    connect(browse, &QPushButton::clicked, this, &CInstallationsDlg::OnBrowse);
    connect(m_rows, &QListWidget::itemDoubleClicked, this, &CInstallationsDlg::accept);
    connect(m_rows, &QListWidget::customContextMenuRequested, this, &CInstallationsDlg::OnContextMenu);
    connect(m_rows, &QListWidget::itemChanged, this, &CInstallationsDlg::OnLabelEdited);
    FillRows(true);
}

void CInstallationsDlg::FillRows(bool cleanUp)
{
    m_bFilling = true;
    m_rows->clear();
    for (const InstallationsList::Row& row : m_list.Fill(cleanUp))
        AddRow(row);
    m_bFilling = false;
}

void CInstallationsDlg::AddRow(const InstallationsList::Row& row)
{
    const bool backups = m_list.Mode() == InstallationsList::kBackupsMode;
    const bool wasFilling = m_bFilling;
    m_bFilling = true;
    const QString text = row.date.isEmpty() ? row.text : row.text + QLatin1Char('\n') + row.date;
    auto* item = new QListWidgetItem(style()->standardIcon(backups ? QStyle::SP_DriveHDIcon : QStyle::SP_DirIcon), text);
    item->setData(Qt::UserRole, row.slot);
    if (!backups)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    m_rows->addItem(item);
    m_bFilling = wasFilling;
}

std::optional<int> CInstallationsDlg::SelectedSlot() const
{
    const QList<QListWidgetItem*> selected = m_rows->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.first()->data(Qt::UserRole).toInt();
}

bool CInstallationsDlg::CanCopy() const
{
    return m_list.Mode() == InstallationsList::kInstallationsMode && m_list.CanCopyOrDelete();
}

bool CInstallationsDlg::CanDelete() const
{
    return m_list.CanCopyOrDelete();
}

void CInstallationsDlg::OnContextMenu(const QPoint& at)
{
    if (!m_rows->itemAt(at))
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Properties"), this, &CInstallationsDlg::OnProperties);
    if (m_list.Mode() == InstallationsList::kInstallationsMode)
        menu.addAction(QStringLiteral("&Copy"), this, &CInstallationsDlg::OnCopy)->setEnabled(CanCopy());
    menu.addAction(QStringLiteral("&Delete"), this, &CInstallationsDlg::OnDelete)->setEnabled(CanDelete());
    menu.exec(m_rows->viewport()->mapToGlobal(at));
}

void CInstallationsDlg::OnLabelEdited(QListWidgetItem* item)
{
    if (m_bFilling || m_list.Mode() != InstallationsList::kInstallationsMode)
        return;
    // The row shows what the file holds now: the new name, or the old one
    // when the new one was refused.
    const int slot = item->data(Qt::UserRole).toInt();
    m_list.Rename(slot, item->text());
    CInstallation installation(slot);
    if (installation.Load()) {
        m_bFilling = true;
        item->setText(installation.GetName());
        m_bFilling = false;
    }
}

void CInstallationsDlg::OnProperties()
{
    if (const std::optional<int> slot = SelectedSlot())
        ShowMessageBox(m_list.Properties(*slot));
}

void CInstallationsDlg::OnCopy()
{
    const std::optional<int> slot = SelectedSlot();
    if (!slot || !CanCopy())
        return;
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Choose the directory to copy the installation to:"));
    if (!folder.isEmpty())
        m_list.Copy(*slot, folder);
}

void CInstallationsDlg::OnDelete()
{
    const std::optional<int> slot = SelectedSlot();
    if (!slot) {
        ShowMessageBox(QStringLiteral("Please select the installation to delete."));
        return;
    }
    if (CanDelete() && m_list.Delete(*slot))
        delete m_rows->selectedItems().first();
}

void CInstallationsDlg::OnBrowse()
{
    if (m_list.Mode() == InstallationsList::kBackupsMode) {
        const QString path = QFileDialog::getOpenFileName(
            this, QString(), ProgramFolder(), QStringLiteral("Wardenfold Backups (*.wfb);;All files (*)"));
        if (!path.isEmpty())
            AddRow(m_list.BrowseBackup(path));
        return;
    }
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), ProgramFolder() + QStringLiteral("/Installations"),
                                     QStringLiteral("Wardenfold Installations (*.wfi);;All files (*)"));
    if (!path.isEmpty() && m_list.BrowseInstallation(path))
        FillRows(false);
}

void CInstallationsDlg::accept()
{
    ClearPendingNodeRequest();
    // A restore brings installations back, so it needs none to exist.
    if (m_list.Mode() == InstallationsList::kInstallationsMode && !m_list.HasValidInstallation()) {
        reject();
        return;
    }
    const std::optional<int> slot = SelectedSlot();
    // Asked before the wait cursor, which would say the program is busy.
    if (slot && m_list.Mode() == InstallationsList::kBackupsMode && !m_list.ConfirmRestore(*slot))
        return;
    const WaitCursor wait;
    if (const std::optional<QString> path = m_list.Accept(slot)) {
        m_strPath = *path;
        QDialog::accept();
    }
}
