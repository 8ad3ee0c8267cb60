#pragma once

class QPrinter;
class QWidget;

// The printer reports print on: the one Print Setup keeps for the run; null
// without an application.
QPrinter* ReportPrinter();

// Tells the operator that a report was not printed and why: the printer, or
// the file it was to print to, could not be started.
void ShowReportNotPrinted(const QPrinter* printer);

// The print dialog of a report: no selection and no page range; printing to a
// PDF file stays offered, so a machine without a printer still prints.
bool RunReportPrintDialog(QPrinter& printer, QWidget* parent);
