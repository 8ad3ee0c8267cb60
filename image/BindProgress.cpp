#include "image/BindProgress.h"

#include "app/CPercentProgressDlg.h"
#include "app/CProgressDlg.h"

#include <QApplication>

BindProgress::BindProgress(Kind kind, const QString& caption, const QString& status, int upper)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    if (kind == Percent) {
        auto dialog = std::make_unique<CPercentProgressDlg>(caption);
        dialog->SetRange(0, upper);
        m_dialog = std::move(dialog);
    } else {
        m_dialog = std::make_unique<CProgressDlg>(caption);
        m_dialog->SetRange(0, upper);
    }
    m_dialog->SetStatus(status);
    m_dialog->Create(nullptr);
}

BindProgress::~BindProgress()
{
    if (m_dialog)
        m_dialog->Close();
}

void BindProgress::SetPos(int position)
{
    if (m_dialog)
        m_dialog->SetPos(position);
}
