#include "reports/lists/ReportPrinter.h"

#include "app/CWFApp.h"
#include "platform/MessageBox.h"

#include <QPrintDialog>
#include <QPrinter>

QPrinter* ReportPrinter()
{
    CWFApp* app = GetApp();
    return app ? &app->GetPrintSetup().Printer() : nullptr;
}

void ShowReportNotPrinted(const QPrinter* printer)
{
    QString why;
    if (!printer)
        why = QStringLiteral("No printer is available.");
    else if (printer->outputFormat() == QPrinter::PdfFormat)
        why = QStringLiteral("The file %1 cannot be written.").arg(printer->outputFileName());
    else if (printer->printerName().isEmpty())
        why = QStringLiteral("No printer is chosen.");
    else
        why = QStringLiteral("The printer %1 cannot be started.").arg(printer->printerName());
    ShowMessageBox(QStringLiteral("The report was not printed.\n\n") + why, MbButtons::Ok, MbIcon::Exclamation);
}

bool RunReportPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}
