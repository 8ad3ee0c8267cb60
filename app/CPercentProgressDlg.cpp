#include "app/CPercentProgressDlg.h"

#include <QLabel>
#include <QVBoxLayout>

CPercentProgressDlg::CPercentProgressDlg(const QString& caption)
    : CProgressBase(caption, 1), m_percentLabel(new QLabel(QStringLiteral(" 0 %"), this))
{
    m_percentLabel->setObjectName(QStringLiteral("Percent"));
    m_percentLabel->setAlignment(Qt::AlignHCenter);
    Layout()->insertWidget(1, m_percentLabel);
}

void CPercentProgressDlg::SetRange(int lower, int upper)
{
    m_percent.SetRange(lower, upper);
    CProgressBase::SetRange(lower, upper);
}

void CPercentProgressDlg::SetStep(int step)
{
    m_percent.SetStep(step);
    CProgressBase::SetStep(step);
}

void CPercentProgressDlg::StepTo(int position, int step)
{
    if (PercentProgress::IsStepPosition(position, step))
        SetPos(position);
}

QString CPercentProgressDlg::PercentText() const
{
    return m_percentLabel->text();
}

void CPercentProgressDlg::OnMoved(int position)
{
    const QString text = m_percent.PercentText(position);
    if (m_percent.Upper() != Upper())
        CProgressBase::SetRange(m_percent.Lower(), m_percent.Upper());
    if (text != m_percentLabel->text())
        m_percentLabel->setText(text);
}
