#include "reports/lists/DirectoryReport.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"
#include "reports/lists/CReportColMgmnt.h"
#include "reports/lists/HolderWalks.h"

namespace {

const char* const kGotEntries = "GotPhoneEntryNumbers";
const QString kEntriesWithHolder = QStringLiteral("UserID <> 0");

// The subsets are formatted from the shared recordset's current row, which
// is the entry being written.
QString Subsets()
{
    const CWFDoc* doc = GetInstallationDoc();
    return doc ? doc->FormatSubsets() : QString();
}

void WriteRow(IReportRowSink& rows, const ReportHolder& holder)
{
    const CSetPhoneEntries& entry = g_setPhoneEntries;
    CReportColMgmnt::AddReportRow(rows, entry.m_UserDirectoryCode, holder.name, entry.m_TenantName,
                                  entry.m_PhoneNumber, QString::fromLatin1(entry.m_ExtendedTalkTime ? "Yes" : "No"),
                                  Subsets(), holder.setName, holder.setStatus);
}

template <class Step>
void Build(Step step)
{
    if (!g_setPhoneEntries.IsOpen())
        return;
    try {
        step();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

void WalkEntries(IReportRowSink& rows, const QString& sort)
{
    Build([&] {
        WalkCodes(g_setPhoneEntries, sort, kEntriesWithHolder,
                  [&] { WriteRow(rows, LookUpHolder(g_setPhoneEntries.m_UserID)); });
    });
}

void WalkSets(IReportRowSink& rows, const QString& setOrder)
{
    Build([&] {
        WalkCodesBySet(g_setPhoneEntries, kEntriesWithHolder, setOrder, kGotEntries,
                       [&](const ReportHolder& holder) { WriteRow(rows, holder); });
    });
}

} // namespace

void BuildPhoneEntryReport(IReportRowSink& rows)
{
    WalkEntries(rows, QStringLiteral("[TenantName]"));
}

void BuildPhoneEntryReportByNumber(IReportRowSink& rows)
{
    WalkEntries(rows, QStringLiteral("[UserDirectoryCode]"));
}

void BuildPhoneEntryReportByCardholder(IReportRowSink& rows)
{
    Build([&] {
        WalkCodesByCardholder(g_setPhoneEntries, kEntriesWithHolder, kGotEntries,
                              [&](const ReportHolder& holder) { WriteRow(rows, holder); });
    });
}

void BuildPhoneEntryReportByName(IReportRowSink& rows)
{
    WalkEntries(rows, QStringLiteral("[TenantName] ASC"));
}

void BuildPhoneEntryReportByPhone(IReportRowSink& rows)
{
    WalkEntries(rows, QStringLiteral("[PhoneNumber] ASC"));
}

void BuildPhoneEntryReportByTalkTime(IReportRowSink& rows)
{
    WalkEntries(rows, QStringLiteral("[ExtendedTalkTime] ASC"));
}

void BuildPhoneEntryReportBySubsets(IReportRowSink& rows)
{
    WalkEntries(rows, QStringLiteral("[SubsetA],[SubsetB],[SubsetC],[SubsetD],[SubsetE],[SubsetF],[SubsetG],[SubsetH]"));
}

void BuildPhoneEntryReportBySet(IReportRowSink& rows)
{
    WalkSets(rows, QStringLiteral("[CHSetName] ASC"));
}

void BuildPhoneEntryReportBySetStatus(IReportRowSink& rows)
{
    WalkSets(rows, QStringLiteral("NOT([Suspend])"));
}
