#include "app/PrintSetup.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

// The platform dialog writes the operator's choice into the printer only when accepted.
bool RunPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QObject::tr("Print Setup"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

PrintSetup::PrintSetup() : m_dialog(RunPrintDialog) {}

PrintSetup::~PrintSetup() = default;

QPrinter& PrintSetup::Printer()
{
    // Made when first needed: asking the print system for its printers can take a moment.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool PrintSetup::Run(QWidget* parent)
{
    return m_dialog(Printer(), parent);
}
