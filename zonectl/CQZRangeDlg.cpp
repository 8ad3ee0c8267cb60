#include "zonectl/CQZRangeDlg.h"

#include "zonectl/CQZRangeText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kLabelMaxLength = 40;
constexpr const char* kTimeMask = "99:99;_";

QLineEdit* NewTimeEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setInputMask(QString::fromLatin1(kTimeMask));
    return edit;
}

} // namespace

CQZRangeDlg::CQZRangeDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_label(new QLabel(this)),
      m_beginEdit(NewTimeEdit(this)),
      m_endEdit(NewTimeEdit(this))
{
    setModal(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CQZRangeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CQZRangeDlg::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_label, 0, 0, 1, 4);
    layout->addWidget(new QLabel(tr("From:"), this), 1, 0);
    layout->addWidget(m_beginEdit, 1, 1);
    layout->addWidget(new QLabel(tr("to:"), this), 1, 2);
    layout->addWidget(m_endEdit, 1, 3);
    layout->addWidget(buttons, 2, 0, 1, 4);
}

void CQZRangeDlg::SetLabel(const QString& text)
{
    m_label->setText(text.left(kLabelMaxLength));
}

void CQZRangeDlg::SetBegin(int minutes)
{
    m_begin = minutes;
    m_beginEdit->setText(CQZRangeText::Format(minutes));
}

void CQZRangeDlg::SetEnd(int minutes)
{
    m_end = minutes;
    m_endEdit->setText(CQZRangeText::Format(minutes));
}

void CQZRangeDlg::accept()
{
    CQZRangeText::Accept(m_beginEdit->text(), m_endEdit->text(), &m_begin, &m_end);
    QDialog::accept();
}
