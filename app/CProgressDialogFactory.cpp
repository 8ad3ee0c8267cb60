#include "app/CProgressDialogFactory.h"

#include "app/CPercentProgressDlg.h"
#include "app/CProgressDlg.h"

#include <QApplication>

namespace {

// One dialog, closed when the step that opened it ends.
class DialogProgress : public IProgress
{
public:
    explicit DialogProgress(std::unique_ptr<CProgressBase> dialog) : m_dialog(std::move(dialog)) {}
    ~DialogProgress() override { m_dialog->Close(); }

    void SetPos(int position) override { m_dialog->SetPos(position); }

private:
    std::unique_ptr<CProgressBase> m_dialog;
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
    } else {
        dialog = std::make_unique<CProgressDlg>(caption);
        dialog->SetRange(0, upper);
    }
    dialog->SetStatus(status);
    dialog->Create(nullptr);
    return std::make_unique<DialogProgress>(std::move(dialog));
}
