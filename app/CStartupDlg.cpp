#include "app/CStartupDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kPictureSize = 48;
}

CStartupDlg::CStartupDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Wardenfold Startup"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kPictureSize));
    auto* text = new QLabel(QStringLiteral("Always backup your installation(s) on a regular basis.  (See the Utilities "
                                           "section of the Wardenfold Help file.)"),
                            this);
    text->setWordWrap(true);
    row->addWidget(picture);
    row->addWidget(text, 1);
    layout->addLayout(row);
    m_dontShow = new QCheckBox(QStringLiteral("Don't show this message again."), this);
    layout->addWidget(m_dontShow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CStartupDlg::accept);
}

int CStartupDlg::DontShowAgain() const
{
    return m_dontShow->isChecked() ? 1 : 0;
}

void CStartupDlg::reject()
{
    // Escape and the window's close do nothing: the reminder is confirmed with OK.
}
