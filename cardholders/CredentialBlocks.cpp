#include "cardholders/CredentialBlocks.h"

#include "cardholders/CredentialViewTexts.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"
#include "platform/DatabaseTransaction.h"
#include "platform/MessageBox.h"

#include <set>

namespace CredentialBlocks {

namespace {

constexpr int kBlockNumberDigits = 3;
constexpr int kNameSequenceDigits = 2;
const QString kJoinTwo = QStringLiteral("%1\n\n%2");

QString ZeroPadded(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

template <class Tables>
long CountLiveBlocks()
{
    return CountRows(Tables::Ranges(), QStringLiteral("Deleted = FALSE"));
}

// The refusal of the new range, or empty when it may be made.
template <class Tables>
QString RangeRefusal(const NewBlock& block)
{
    const CredentialViewTexts& texts = ViewTextsOf(Tables::kKind);
    if (static_cast<int>(block.facilityCodes.size()) > kMaxFacilityCodes)
        return kTooManyFacilityCodes;
    if (block.end < block.start)
        return QStringLiteral("Invalid block range entered.");
    const double count = block.end - block.start + 1;
    if (CountRows(Tables::Blocks(), {}) + count > kMaxBlockNumbers)
        return texts.rangeTooLarge.arg(kMaxBlockNumbers);
    const long needed = static_cast<long>((count + kNumbersPerBlock - 1) / kNumbersPerBlock);
    const long existing = CountLiveBlocks<Tables>();
    if (existing + needed > kMaxBlocks) {
        return kJoinTwo.arg(
            QStringLiteral("The range you entered exceeds the maximum blocks allowed which is %1.").arg(kMaxBlocks),
            texts.remainingNumbers.arg((kMaxBlocks - existing) * kNumbersPerBlock));
    }
    // Deleted rows hold 0 to 0, below every number.
    const QString start = FormatWholeNumber(block.start);
    const QString end = FormatWholeNumber(block.end);
    if (FindRow(Tables::Ranges(), QStringLiteral("BlockBegin <= %1 AND BlockEnd >= %2").arg(end, start)))
        return QStringLiteral("Could not create the new block, since it overlaps an existing block.");
    auto& singles = Tables::Singles();
    if (FindRow(singles, QStringLiteral("DeletedSingle = FALSE AND ") + NumberRange(Tables::kSingleColumn, block.start, block.end)))
        return texts.overlapsIndividual.arg(start, end, FormatWholeNumber(Tables::Number(singles)));
    return {};
}

// One block row of at most kNumbersPerBlock numbers, in a deleted row when
// there is one.
template <class Tables>
void WriteBlockRow(const NewBlock& block, double first, double last, int sequence)
{
    auto& ranges = Tables::Ranges();
    if (FindRow(ranges, QStringLiteral("Deleted = TRUE")))
        ranges.Edit();
    else
        ranges.AddNew();
    ranges.m_Deleted = false;
    ranges.m_BlockBegin = first;
    ranges.m_BlockEnd = last;
    ranges.m_BlockName = QStringLiteral("[%1] ").arg(ZeroPadded(sequence, kNameSequenceDigits)) + block.name;
    WriteSelections(ranges, SelectionsOf(block.facilityCodes));
    ranges.Update();
}

template <class Tables>
void WriteBlock(const NewBlock& block)
{
    int sequence = 1;
    for (double first = block.start; first <= block.end; first += kNumbersPerBlock, ++sequence) {
        const double last = block.end - first + 1 <= kNumbersPerBlock ? block.end : first + kNumbersPerBlock - 1;
        WriteBlockRow<Tables>(block, first, last, sequence);
    }
    auto& numbers = Tables::Blocks();
    numbers.m_strFilter.clear();
    numbers.m_strSort.clear();
    numbers.Requery();
    for (double k = block.start; k <= block.end; ++k) {
        numbers.AddNew();
        Tables::Number(numbers) = k;
        numbers.m_Suspended = true;
        numbers.m_UserID = 0;
        numbers.Update();
    }
}

template <class Tables>
void RequeryAll()
{
    for (Recordset* set : {static_cast<Recordset*>(&Tables::Blocks()), static_cast<Recordset*>(&Tables::Ranges()),
                           static_cast<Recordset*>(&Tables::Singles())}) {
        set->m_strFilter.clear();
        set->m_strSort.clear();
        set->Requery();
    }
}

template <class Tables>
bool Create(const NewBlock& block)
{
    const QString refusal = RangeRefusal<Tables>(block);
    if (!refusal.isEmpty()) {
        ShowMessageBox(refusal);
        return false;
    }
    DatabaseTransaction transaction(Tables::Blocks().GetDefaultDBName());
    try {
        WriteBlock<Tables>(block);
        transaction.Commit();
    } catch (const DatabaseException&) {
        transaction.Rollback();
        RequeryAll<Tables>();
        throw;
    }
    RequeryAll<Tables>();
    return true;
}

template <class Tables>
bool Assigned(std::int32_t autoNumIndex)
{
    auto& ranges = Tables::Ranges();
    if (!FindRow(ranges, QStringLiteral("AutoNumIndex = %1").arg(autoNumIndex)))
        return false;
    return FindRow(Tables::Blocks(), NumberRange(Tables::kBlockColumn, ranges.m_BlockBegin, ranges.m_BlockEnd)
                                         + QStringLiteral(" AND UserID > 0"));
}

template <class Tables>
bool HolderKeepsANumber(std::int32_t userId)
{
    return FindRow(Tables::Blocks(), QStringLiteral("UserID = %1").arg(userId))
           || FindRow(Tables::Singles(), QStringLiteral("UserIDSingle = %1").arg(userId));
}

template <class Tables>
bool ReleaseFlag(std::int32_t userId)
{
    if (HolderKeepsANumber<Tables>(userId))
        return true;
    if (FindRow(g_setUsers, QStringLiteral("UserID = %1").arg(userId)) && Tables::HolderFlag(g_setUsers)) {
        g_setUsers.Edit();
        Tables::HolderFlag(g_setUsers) = false;
        g_setUsers.Update();
    }
    return false;
}

template <class Tables>
bool Delete(std::int32_t autoNumIndex)
{
    auto& ranges = Tables::Ranges();
    if (!FindRow(ranges, QStringLiteral("AutoNumIndex = %1").arg(autoNumIndex)))
        return false;
    std::set<std::int32_t> holders;
    {
        DatabaseTransaction transaction(Tables::Blocks().GetDefaultDBName());
        try {
            auto& numbers = Tables::Blocks();
            const QString range = NumberRange(Tables::kBlockColumn, ranges.m_BlockBegin, ranges.m_BlockEnd);
            WalkSorted(numbers, range + QStringLiteral(" AND UserID > 0"), {},
                       [&](auto& row) { holders.insert(row.m_UserID); });
            numbers.m_strFilter = range;
            numbers.DeleteAll();
            ranges.Edit();
            ranges.m_BlockBegin = 0;
            ranges.m_BlockEnd = 0;
            ranges.m_BlockName.clear();
            ranges.m_Deleted = true;
            WriteSelections(ranges, FacilitySelections{});
            ranges.Update();
            transaction.Commit();
        } catch (const DatabaseException&) {
            transaction.Rollback();
            RequeryAll<Tables>();
            throw;
        }
    }
    RequeryAll<Tables>();
    for (std::int32_t holder : holders)
        ReleaseHolderFlag(Tables::kKind, holder);
    return true;
}

} // namespace

std::vector<BlockRow> ListBlocks(CredentialKind kind)
{
    std::vector<BlockRow> rows;
    try {
        WithTables(kind, [&](auto tables) {
            using Tables = decltype(tables);
            WalkSorted(Tables::Ranges(), {}, QStringLiteral("[AutoNumIndex]"), [&](auto& r) {
                if (r.m_Deleted)
                    return;
                rows.push_back({ZeroPadded(static_cast<int>(rows.size()) + 1, kBlockNumberDigits),
                                FormatWholeNumber(r.m_BlockBegin), FormatWholeNumber(r.m_BlockEnd), r.m_BlockName,
                                Tables::RangeFacilityCodes(), r.m_AutoNumIndex});
            });
        });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return rows;
}

bool MayAddBlock(CredentialKind kind)
{
    try {
        const long live = WithTables(kind, [](auto tables) { return CountLiveBlocks<decltype(tables)>(); });
        if (live < kMaxBlocks)
            return true;
        ShowMessageBox(ViewTextsOf(kind).maxBlocks.arg(kMaxBlocks));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return false;
}

bool CreateBlock(CredentialKind kind, const NewBlock& block)
{
    try {
        return WithTables(kind, [&](auto tables) { return Create<decltype(tables)>(block); });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool IsAssigned(CredentialKind kind, std::int32_t autoNumIndex)
{
    bool assigned = false;
    try {
        assigned = WithTables(kind, [&](auto tables) { return Assigned<decltype(tables)>(autoNumIndex); });
    } catch (const DatabaseException& error) {
        // Without an answer the block is not to be deleted.
        ShowDatabaseError(error);
        return true;
    }
    if (assigned) {
        const auto& refused = ViewTextsOf(kind).blockDeleteRefused;
        ShowMessageBox(QStringLiteral("%1\n\n%2\n\n%3").arg(refused[0], refused[1], refused[2]));
    }
    return assigned;
}

bool DeleteBlock(CredentialKind kind, std::int32_t autoNumIndex)
{
    try {
        const bool deleted = WithTables(kind, [&](auto tables) { return Delete<decltype(tables)>(autoNumIndex); });
        if (deleted)
            MarkDataToProgram();
        return deleted;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool ReleaseHolderFlag(CredentialKind kind, std::int32_t userId)
{
    bool holds = false;
    try {
        holds = WithTables(kind, [&](auto tables) { return ReleaseFlag<decltype(tables)>(userId); });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return holds;
}

} // namespace CredentialBlocks
