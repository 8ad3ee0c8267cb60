#pragma once

#include "app/CPaneView.h"
#include "app/IDocumentView.h"
#include "reports/lists/IPrintView.h"

#include <functional>

class CColumnWidths;
class CWFDoc;
class QPagedPaintDevice;
class QPrinter;
class QTextEdit;

// The right pane of the system report and the display messages: the
// installation's settings listing as read-only text with its headings
// underlined, printed in the listing's own pages.
class CRPReportEditView : public CPaneView, public IDocumentView, public IPrintView
{
    Q_OBJECT

public:
    using PrintDialog = std::function<bool(QPrinter& printer, QWidget* parent)>;

    // The report face is read from settings when the view is made and at
    // every print.
    explicit CRPReportEditView(const CColumnWidths& settings, QWidget* parent = nullptr);
    ~CRPReportEditView() override;

    void OnUpdate() override;
    // The print dialog on the printer Print Setup keeps, then the pages.
    void OnFilePrint() override;
    // The pages on the device, without a dialog; false when nothing printed.
    bool PrintTo(QPagedPaintDevice& device);

    void SetPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }
    QTextEdit* Editor() const { return m_edit; }

private:
    CWFDoc* m_pDoc = nullptr;
    const CColumnWidths& m_settings;
    QTextEdit* m_edit = nullptr;
    PrintDialog m_printDialog;
};
