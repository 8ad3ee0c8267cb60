#include "reports/lists/EntryCodeReport.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"
#include "reports/lists/CReportColMgmnt.h"
#include "reports/lists/HolderWalks.h"

#include <cstdint>
#include <cstdlib>

namespace {

using Run = CReportColMgmnt;

const char* const kGotEntryCodes = "GotEntryCodes";
const char* const kNoHolderCell = "-";
const QString kLiveCodes = QStringLiteral("Deleted = FALSE");
const QString kLiveCodesWithHolder = QStringLiteral("UserID <> 0 AND Deleted = FALSE");
// The cardholder's number is looked up with at least five digits.
constexpr int kUserIDDigits = 5;

QString UserCriterion(std::int32_t userID)
{
    const QString digits =
        QString::number(std::abs(static_cast<qint64>(userID))).rightJustified(kUserIDDigits, QLatin1Char('0'));
    return QStringLiteral("UserID = ") + (userID < 0 ? QStringLiteral("-") : QString()) + digits;
}

void WriteRow(IReportRowSink& rows, const ReportHolder& holder)
{
    const CSetEntryCodes& code = g_setEntryCodes;
    Run::AddReportRow(rows, code.GetDisplayCode(), holder.name,
                      QString::fromLatin1(code.m_Suspended ? "Suspended" : "Enabled"), holder.setName,
                      holder.setStatus);
}

// The code's cardholder looked up, or "-" without one where the order shows it.
void WriteLookedUpRow(IReportRowSink& rows, bool dashWithoutHolder)
{
    if (dashWithoutHolder && g_setEntryCodes.m_UserID == 0) {
        const QString dash = QString::fromLatin1(kNoHolderCell);
        WriteRow(rows, ReportHolder{dash, dash, dash});
        return;
    }
    WriteRow(rows, FindHolder(UserCriterion(g_setEntryCodes.m_UserID)));
}

// Runs a build under the one handler for database errors. Nothing is listed
// without an open installation.
template <class Step>
void Build(IReportRowSink& rows, Step step)
{
    if (!g_setEntryCodes.IsOpen())
        return;
    // A run left pending by a failed report must not show up here.
    Run::AddNumberRun(rows, Run::RunStart, 0);
    try {
        step();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

void WalkSets(IReportRowSink& rows, const QString& setOrder)
{
    Build(rows, [&] {
        WalkCodesBySet(g_setEntryCodes, kLiveCodes, setOrder, kGotEntryCodes,
                       [&](const ReportHolder& holder) { WriteRow(rows, holder); });
    });
}

} // namespace

void BuildEntryCodeReport(IReportRowSink& rows)
{
    Build(rows, [&] {
        WalkCodes(g_setEntryCodes, QStringLiteral("[Hidden], [dCode]"), kLiveCodes, [&] {
            Run::AddNumberRun(rows, Run::RunFlush, 0);
            WriteLookedUpRow(rows, false);
        });
    });
}

void BuildEntryCodeReportByCode(IReportRowSink& rows)
{
    Build(rows, [&] {
        WalkCodes(g_setEntryCodes, QStringLiteral("[Hidden], [Code]"), kLiveCodes, [&] {
            Run::AddNumberRun(rows, Run::RunFlush, 0);
            WriteLookedUpRow(rows, true);
        });
    });
}

void BuildEntryCodeReportByCardholder(IReportRowSink& rows)
{
    Build(rows, [&] {
        WalkCodesByCardholder(g_setEntryCodes, kLiveCodesWithHolder, kGotEntryCodes, [&](const ReportHolder& holder) {
            Run::AddNumberRun(rows, Run::RunFlush, 0);
            WriteRow(rows, holder);
        });
    });
}

void BuildEntryCodeReportByStatus(IReportRowSink& rows)
{
    Build(rows, [&] {
        WalkCodes(g_setEntryCodes, QStringLiteral("[Hidden], NOT([Suspended])"), kLiveCodesWithHolder,
                  [&] { WriteLookedUpRow(rows, false); });
    });
}

void BuildEntryCodeReportBySet(IReportRowSink& rows)
{
    WalkSets(rows, QStringLiteral("[CHSetName] ASC"));
}

void BuildEntryCodeReportBySetStatus(IReportRowSink& rows)
{
    WalkSets(rows, QStringLiteral("NOT([Suspend])"));
}
