#include "app/CProgressDlg.h"

#include <QPushButton>
#include <QVBoxLayout>

CProgressDlg::CProgressDlg(const QString& caption) : CProgressBase(caption, kDefaultStep)
{
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &CProgressDlg::reject);
    Layout()->addWidget(cancel, 0, Qt::AlignHCenter);
}

bool CProgressDlg::CheckCancelButton()
{
    PumpMessages();
    const bool cancelled = m_cancelled;
    m_cancelled = false;
    return cancelled;
}

void CProgressDlg::reject()
{
    m_cancelled = true;
}
