#include "app/CDstNoticeDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kIconSize = 32;
} // namespace

CDstNoticeDlg::CDstNoticeDlg(const QString& title, const QStringList& lines, QWidget* parent)
    : QDialog(parent), m_lines(lines)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(kIconSize, kIconSize));
    auto* text = new QVBoxLayout;
    for (const QString& line : lines)
        text->addWidget(new QLabel(line, this));
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
