#pragma once

#include "app/CPaneView.h"
#include "app/IDocumentView.h"
#include "reports/lists/CListPrinter.h"
#include "reports/lists/ReportList.h"

#include <functional>

class CColumnWidths;
class QPagedPaintDevice;
class QPrinter;
class QTreeView;

// The right pane of the reports and the event log: one record report as a
// list. The open installation's report kind chooses what it shows; a click
// on a column heading rebuilds it in another order.
class CRPListView : public CPaneView, public IDocumentView
{
    Q_OBJECT
public:
    // Shows the print dialog for the printer; true when the operator printed.
    using PrintDialog = std::function<bool(QPrinter& printer, QWidget* parent)>;

    explicit CRPListView(CColumnWidths& widths, QWidget* parent = nullptr);
    ~CRPListView() override;

    void OnUpdate() override;
    void OnColumnClick(int column);
    void OnHeaderEndTrack();

    // "There is no report to print." for an empty list; otherwise the print
    // dialog on the printer Print Setup keeps, then the pages.
    void PrintReport();
    // The pages on the printer, without a dialog; false when nothing printed.
    bool PrintTo(QPagedPaintDevice& printer);
    // "%s Report - Installation: %s" of the title and the installation's name.
    QString HeadingText() const;

    void SetPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }

    ReportList& Report() { return m_report; }
    QTreeView* List() const { return m_list; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Once a rebuild's columns stand, before its rows and any box of its
    // builder: the header takes the widths the report keeps. The header's own
    // resizes while the columns change are not the operator's.
    void ApplyColumnWidths();
    void OnSectionResized(int column, int newWidth);

    ReportList m_report;
    CListPrinter m_printer;
    QTreeView* m_list = nullptr;
    PrintDialog m_printDialog;
    bool m_changingColumns = false;
    bool m_dividerDragged = false;
};
