#include "app/CWFDoc.h"

#include "common/RecordsetWalk.h"
#include "database/CSetVLNetworks.h"
#include "database/CSetVestrels.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/NetRunResults.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <QFile>

namespace {
// The listing of a site stops after this many controllers.
constexpr int kMaxListedControllers = 64;
// What the operations answer when they have nothing to report.
constexpr unsigned kDone = 1;
} // namespace

unsigned CWFDoc::PaginateReport(std::uint8_t op, int offset, int page)
{
    switch (op) {
    case ReportOp::kClear:
        m_reportPages.ClearPages();
        return kDone;
    case ReportOp::kScanPages:
        m_reportPages.ScanPages(m_strSettingsText);
        return kDone;
    case ReportOp::kIsPageEnd:
        return m_reportPages.IsPageEnd(page, offset) ? 1 : 0;
    case ReportOp::kPagePosition:
        return static_cast<unsigned>(m_reportPages.PagePosition(page, offset));
    case ReportOp::kPageCount:
        return static_cast<unsigned>(m_reportPages.PageCount());
    default:
        return kDone;
    }
}

unsigned CWFDoc::MarkReportHeadings(std::uint8_t op, int offset, int page)
{
    const int length = static_cast<int>(m_strSettingsText.size());
    switch (op) {
    case ReportOp::kClear:
        m_reportPages.ClearHeadings();
        return kDone;
    case ReportOp::kHeadingStart:
        m_reportPages.StartHeading(length);
        return kDone;
    case ReportOp::kHeadingEnd:
        m_reportPages.EndHeading(length);
        return kDone;
    case ReportOp::kIsHeadingStart:
        return m_reportPages.IsHeadingStart(page, offset) ? 1 : 0;
    default:
        // Underlining belongs to the view showing the text: it reads the marks.
        return kDone;
    }
}

void CWFDoc::AppendReportHeading(const QString& heading)
{
    MarkReportHeadings(ReportOp::kHeadingStart);
    m_strSettingsText += heading;
    MarkReportHeadings(ReportOp::kHeadingEnd);
}

void CWFDoc::ClearSettingsListing()
{
    m_strSettingsText.clear();
    MarkReportHeadings(ReportOp::kClear);
    PaginateReport(ReportOp::kClear);
}

QString CWFDoc::LoadListedControllerImage(const CSetVestrels& controller)
{
    const QString path = ControllerFilePath(kVestrels, controller);
    if (path.isEmpty()) {
        const QString refused = NotPlainFileNameText(controller);
        ShowMessageBox(refused, MbButtons::Ok, MbIcon::Exclamation);
        return refused;
    }
    if (m_controllerMemory.LoadFile(path, 0, 0, FirmwareVersion{}))
        return QString();
    QFile file(path);
    const QString cause = !file.exists()                     ? QStringLiteral("the file does not exist")
                          : !file.open(QIODevice::ReadOnly) ? file.errorString()
                                                             : QStringLiteral("the file is too short to be an image");
    // The file's name alone: the listing's lines stay within a page.
    return QStringLiteral("The settings of controller %1 could not be read from \"%2\": %3.")
        .arg(NetRunResults::NodeName(controller.m_NetAddress, controller.m_NodeAddress), controller.m_FileName, cause);
}

void CWFDoc::BuildSettingsListing()
{
    ExchangeGlobalSettings(true, true);
    ClearSettingsListing();
    ListGlobalSettings();
    try {
        CSetVLNetworks networks;
        networks.m_strDBFolder = g_setVLNetworks.m_strDBFolder;
        networks.Open();
        int listed = 0;
        for (bool row = MoveToFirstRow(networks); row && !networks.IsEOF() && listed < kMaxListedControllers;
             networks.MoveNext()) {
            ListNetworkSettings(networks);
            CSetVestrels controllers;
            controllers.m_strDBFolder = g_setVestrels.m_strDBFolder;
            controllers.m_strFilter = QStringLiteral("NodeID = %1").arg(networks.m_NodeID);
            controllers.Open();
            for (bool node = MoveToFirstRow(controllers); node && !controllers.IsEOF() && listed < kMaxListedControllers;
                 controllers.MoveNext()) {
                ListControllerSettings(controllers, LoadListedControllerImage(controllers));
                PaginateReport(ReportOp::kScanPages);
                m_strSettingsText += QLatin1Char('\n');
                m_controllerMemory.File().close();
                ++listed;
            }
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    PaginateReport(ReportOp::kScanPages);
    UpdateAllViews();
}

void CWFDoc::RefreshSettingsListing()
{
    ClearSettingsListing();
    ListDisplayMessages();
    // Without page starts every message line would print on page 1.
    PaginateReport(ReportOp::kScanPages);
    UpdateAllViews();
}
