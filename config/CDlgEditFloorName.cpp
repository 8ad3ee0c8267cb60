#include "config/CDlgEditFloorName.h"

#include "database/FloorRows.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CDlgEditFloorName::CDlgEditFloorName(int mode, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDlgEditFloorName"));
    setWindowTitle(mode == kAddMode ? QStringLiteral("Add Floor Name") : QStringLiteral("Edit Floor Name"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Floor Name:"), this));
    m_name = new QLineEdit(this);
    m_name->setMaxLength(FloorRows::kNameLength);
    row->addWidget(m_name, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgEditFloorName::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_name->setFocus();
}

void CDlgEditFloorName::SetName(const QString& name)
{
    m_name->setText(name);
    m_name->selectAll();
}

QString CDlgEditFloorName::Name() const
{
    return m_name->text();
}

void CDlgEditFloorName::accept()
{
    if (m_name->text().isEmpty()) {
        ShowMessageBox(QStringLiteral("Please enter a floor name."));
        return;
    }
    QDialog::accept();
}
