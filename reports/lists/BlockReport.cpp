#include "reports/lists/BlockReport.h"

#include "app/FacilityCodeLists.h"
#include "common/Formatting.h"
#include "common/RecordsetWalk.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"
#include "reports/lists/CReportColMgmnt.h"
#include "reports/lists/ReportColumns.h"

#include <iterator>

namespace {

// By column; "Facility Codes" cannot be sorted.
constexpr const char* kSortTexts[] = {"[AutoNumIndex]", "[BlockBegin]", "[BlockEnd]", nullptr, "[BlockName]"};

// What tells the two block reports apart: their recordset and the kind of
// facility codes their selections pick.
template <class BlockSet>
struct BlockReportDescriptor
{
    BlockSet& set;
    QString (*facilityCodes)();
};

const BlockReportDescriptor<CSetTransmitterBlocks> kTransmitterBlocks{g_setTransmitterBlocks,
                                                                      FormatXmtrBlockFacCodes};
const BlockReportDescriptor<CSetCardBlocks> kCardBlocks{g_setCardBlocks, FormatCardBlockFacCodes};

template <class BlockSet>
void BuildBlockReport(const BlockReportDescriptor<BlockSet>& report, IReportRowSink& rows)
{
    BlockSet& set = report.set;
    try {
        if (!MoveToFirstRow(set))
            return;
        for (; !set.IsEOF(); set.MoveNext()) {
            if (set.m_Deleted)
                continue;
            const bool selected =
                set.m_FacCode_Sel_A || set.m_FacCode_Sel_B || set.m_FacCode_Sel_C || set.m_FacCode_Sel_D;
            CReportColMgmnt::AddReportRow(rows, QString::number(set.m_AutoNumIndex),
                                          FormatWholeNumber(set.m_BlockBegin), FormatWholeNumber(set.m_BlockEnd),
                                          selected ? report.facilityCodes() : QString(), set.m_BlockName);
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

} // namespace

void BuildTransmitterBlockReport(IReportRowSink& rows)
{
    BuildBlockReport(kTransmitterBlocks, rows);
}

void BuildCardBlockReport(IReportRowSink& rows)
{
    BuildBlockReport(kCardBlocks, rows);
}

QString BlockSortText(int column)
{
    if (column < 0 || column >= static_cast<int>(std::size(kSortTexts)) || !kSortTexts[column])
        return QString();
    return QString::fromLatin1(kSortTexts[column]);
}

void OpenBlockSetSorted(int kind, const QString& sort)
{
    if (kind == kReportKindBlockTransmitters)
        kTransmitterBlocks.set.OpenSorted(sort);
    else if (kind == kReportKindBlockCards)
        kCardBlocks.set.OpenSorted(sort);
}
