#include "reports/system/CRPReportEditView.h"

#include "app/AppObjects.h"
#include "app/CColumnWidths.h"
#include "app/CWFDoc.h"
#include "reports/lists/ReportPrinter.h"
#include "reports/system/ListingPrinter.h"
#include "reports/system/ReportFont.h"

#include <QPrinter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int kScreenPointSize = 10;
// 750 twips: half an inch at 96 pixels to the inch.
constexpr int kMarginPixels = 48;

} // namespace

CRPReportEditView::CRPReportEditView(const CColumnWidths& settings, QWidget* parent)
    : CPaneView(parent), m_pDoc(GetInstallationDoc()), m_settings(settings), m_edit(new QTextEdit(this)),
      m_printDialog(RunReportPrintDialog)
{
    setObjectName(QStringLiteral("CRPReportEditView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    m_edit->setFont(ReportFont(settings.m_printerFont, kScreenPointSize));
    m_edit->document()->setDocumentMargin(kMarginPixels);
    m_edit->setLineWrapMode(QTextEdit::NoWrap);
    m_edit->setAcceptRichText(false);
    m_edit->setReadOnly(true);
    if (m_pDoc) {
        // A new view shows nothing until the next listing is built.
        m_pDoc->m_strSettingsText.clear();
        m_pDoc->AddView(this);
    }
}

CRPReportEditView::~CRPReportEditView()
{
    if (m_pDoc)
        m_pDoc->RemoveView(this);
}

void CRPReportEditView::OnUpdate()
{
    m_edit->clear();
    if (!m_pDoc || m_pDoc->m_strSettingsText.isEmpty())
        return;
    m_edit->setPlainText(m_pDoc->m_strSettingsText);
    const ReportPages& pages = m_pDoc->m_reportPages;
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    QTextCursor cursor(m_edit->document());
    for (int i = 0; i < pages.HeadingCount(); ++i) {
        cursor.setPosition(pages.HeadingStarts()[static_cast<std::size_t>(i)]);
        cursor.setPosition(pages.HeadingEnds()[static_cast<std::size_t>(i)], QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(underline);
    }
    m_edit->document()->setModified(false);
}

void CRPReportEditView::OnFilePrint()
{
    QPrinter* printer = ReportPrinter();
    if (!printer) {
        ShowReportNotPrinted(nullptr);
        return;
    }
    if (m_printDialog(*printer, this) && !PrintTo(*printer))
        ShowReportNotPrinted(printer);
}

bool CRPReportEditView::PrintTo(QPagedPaintDevice& device)
{
    if (!m_pDoc)
        return false;
    ListingPrinter printer(*m_pDoc, m_settings.m_printerFont);
    return printer.Print(device, ListingPrinter::HeaderDate());
}
