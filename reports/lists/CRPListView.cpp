#include "reports/lists/CRPListView.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "reports/lists/HeaderTitleStyle.h"
#include "reports/lists/ReportPrinter.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLocale>
#include <QPrinter>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const char* const kNothingToPrintText = "There is no report to print.";
const char* const kHeadingFormat = "%1 Report - Installation: %2";
const char* const kDateFormat = "MM/dd/yy hh:mm AP";

} // namespace

CRPListView::CRPListView(CColumnWidths& widths, QWidget* parent)
    : CPaneView(parent), m_report(widths), m_list(new QTreeView(this)), m_printDialog(RunReportPrintDialog)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setSortingEnabled(false);
    m_list->setModel(&m_report.Model());
    QHeaderView* header = m_list->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->viewport()->installEventFilter(this);
    auto* titles = new HeaderTitleStyle;
    titles->setParent(header);
    header->setStyle(titles);
    connect(header, &QHeaderView::sectionClicked, this, &CRPListView::OnColumnClick);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int newWidth) { OnSectionResized(column, newWidth); });
    m_report.SetColumnsReady([this] { ApplyColumnWidths(); });

    // A new view shows kind 0 until a form chooses a kind.
    if (CWFDoc* doc = GetInstallationDoc()) {
        doc->AddView(this);
        doc->SetReportKind(0);
    }
    OnUpdate();
}

CRPListView::~CRPListView()
{
    if (CWFDoc* doc = GetInstallationDoc())
        doc->RemoveView(this);
}

void CRPListView::OnUpdate()
{
    const CWFDoc* doc = GetInstallationDoc();
    m_changingColumns = true;
    m_report.Rebuild(doc ? doc->GetReportKindByte() : 0);
    m_changingColumns = false;
}

void CRPListView::OnColumnClick(int column)
{
    const CWFDoc* doc = GetInstallationDoc();
    if (!doc)
        return;
    m_changingColumns = true;
    m_report.OnColumnClick(doc->GetReportKindByte(), column);
    m_changingColumns = false;
}

void CRPListView::OnHeaderEndTrack()
{
    m_report.StoreTrackedWidths();
}

void CRPListView::PrintReport()
{
    if (m_report.Model().RowCount() == 0) {
        ShowMessageBox(QString::fromLatin1(kNothingToPrintText));
        return;
    }
    QPrinter* printer = ReportPrinter();
    if (!printer) {
        ShowReportNotPrinted(nullptr);
        return;
    }
    if (m_printDialog(*printer, this) && !PrintTo(*printer))
        ShowReportNotPrinted(printer);
}

bool CRPListView::PrintTo(QPagedPaintDevice& printer)
{
    // Taken once, so every page of the job shows the same date.
    const QString date = QLocale::c().toString(Clock::Current().NowLocal(), QString::fromLatin1(kDateFormat));
    return m_printer.Print(printer, *m_list, HeadingText(), date);
}

QString CRPListView::HeadingText() const
{
    const CWFDoc* doc = GetInstallationDoc();
    return QString::fromLatin1(kHeadingFormat).arg(m_report.Title(), doc ? doc->m_strInstallationName : QString());
}

void CRPListView::closeEvent(QCloseEvent* event)
{
    m_report.RemoveColumns();
    if (CWFDoc* doc = GetInstallationDoc())
        doc->RemoveView(this);
    event->accept();
}

bool CRPListView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->header()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            m_dividerDragged = false;
        else if (event->type() == QEvent::MouseButtonRelease && m_dividerDragged)
            OnHeaderEndTrack();
    }
    return CPaneView::eventFilter(watched, event);
}

void CRPListView::ApplyColumnWidths()
{
    for (int i = 0; i < m_report.ColumnCount(); ++i)
        m_list->header()->resizeSection(i, m_report.ColumnWidth(i));
}

void CRPListView::OnSectionResized(int column, int newWidth)
{
    if (m_changingColumns)
        return;
    m_report.SetColumnWidth(column, newWidth);
    m_dividerDragged = true;
}
