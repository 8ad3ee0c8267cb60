#pragma once

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// The printer the reports print on, as the operator last set it up with
// File > Printer: the choice lasts for the rest of the run.
class PrintSetup
{
public:
    // Shows the printer choice for printer; true when the operator accepted it.
    using Dialog = std::function<bool(QPrinter& printer, QWidget* parent)>;

    PrintSetup();
    ~PrintSetup();
    PrintSetup(const PrintSetup&) = delete;
    PrintSetup& operator=(const PrintSetup&) = delete;

    QPrinter& Printer();
    // The platform's print dialog unless another was set.
    void SetDialog(Dialog dialog) { m_dialog = std::move(dialog); }
    bool Run(QWidget* parent);

private:
    std::unique_ptr<QPrinter> m_printer;
    Dialog m_dialog;
};
