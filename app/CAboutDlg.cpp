#include "app/CAboutDlg.h"

#include "app/ShellIcons.h"
#include "common/CommandIds.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

namespace {
constexpr int kIconSize = 32;
}

CAboutDlg::CAboutDlg(const QString& dateStamp, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About Wardenfold"));
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(CommandIcon(CommandId::NavigationView).pixmap(kIconSize, kIconSize));
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(tr("Wardix Version 2.9"), this), 0, 1, 1, 2);
    layout->addWidget(new QLabel(tr("Door-access network management"), this), 1, 1, 1, 2);
    auto* created = new QLabel(tr("Created:"), this);
    auto* stamp = new QLabel(dateStamp, this);
    stamp->setObjectName(QStringLiteral("DateStamp"));
    layout->addWidget(created, 2, 1);
    layout->addWidget(stamp, 2, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 3, 0, 1, 3);
}
