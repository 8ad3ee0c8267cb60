#include "app/CProgressDialogFactory.h"

#include "app/CPercentProgressDlg.h"
#include "app/CProgressDlg.h"
#include "app/CShellProgressDlg.h"

#include <QApplication>

namespace {

// One dialog, closed when the step that opened it ends.
class DialogProgress : public IProgress
{
public:
    explicit DialogProgress(std::unique_ptr<CProgressBase> dialog)
        : m_dialog(std::move(dialog)), m_cancel(qobject_cast<CProgressDlg*>(m_dialog.get()))
    {
    }
    ~DialogProgress() override { m_dialog->Close(); }

    void SetPos(int position) override { m_dialog->SetPos(position); }
    void SetStatus(const QString& text) override { m_dialog->SetStatus(text); }
    void HideBar() override { m_dialog->HideBar(); }
    bool CheckCancelButton() override { return m_cancel && m_cancel->CheckCancelButton(); }

private:
    std::unique_ptr<CProgressBase> m_dialog;
    CProgressDlg* m_cancel; // null for a dialog without Cancel
};

} // namespace

std::unique_ptr<IProgress> CProgressDialogFactory::Open(IProgress::Kind kind, const QString& caption,
                                                        const QString& status, int upper)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    std::unique_ptr<CProgressBase> dialog;
    if (kind == IProgress::Percent) {
        auto percent = std::make_unique<CPercentProgressDlg>(caption);
        percent->SetRange(0, upper);
        dialog = std::move(percent);
    } else if (kind == IProgress::Bar) {
        dialog = std::make_unique<CShellProgressDlg>(caption);
        dialog->SetRange(0, upper);
    } else {
        dialog = std::make_unique<CProgressDlg>(caption);
        dialog->SetRange(0, upper);
    }
    dialog->SetStatus(status);
    dialog->Create(nullptr);
    return std::make_unique<DialogProgress>(std::move(dialog));
}
