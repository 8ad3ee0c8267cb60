#include "reports/lists/ReportPrinter.h"

#include "app/CWFApp.h"

#include <QPrintDialog>
#include <QPrinter>

QPrinter* ReportPrinter()
{
    CWFApp* app = GetApp();
    return app ? &app->GetPrintSetup().Printer() : nullptr;
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
