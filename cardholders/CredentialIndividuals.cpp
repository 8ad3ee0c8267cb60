#include "cardholders/CredentialIndividuals.h"

#include "cardholders/CredentialBlocks.h"
#include "cardholders/CredentialTables.h"
#include "cardholders/CredentialViewTexts.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

namespace CredentialIndividuals {

namespace {

template <class Tables>
long CountLive()
{
    return CountRows(Tables::Singles(), QStringLiteral("DeletedSingle = FALSE"));
}

template <class Tables>
QString Refusal(double number)
{
    const CredentialViewTexts& texts = ViewTextsOf(Tables::kKind);
    auto& ranges = Tables::Ranges();
    const QString n = FormatWholeNumber(number);
    // Deleted blocks hold 0 to 0, below every number.
    if (FindRow(ranges, QStringLiteral("BlockBegin <= %1 AND BlockEnd >= %1").arg(n)))
        return texts.insideBlock.arg(ranges.m_BlockName, texts.enterDifferent);
    // Rows are never removed, so only live ones count against the limit.
    if (CountLive<Tables>() >= kMaxIndividuals)
        return texts.maxIndividualsInDialog.arg(kMaxIndividuals);
    auto& singles = Tables::Singles();
    if (FindRow(singles, EqualsNumber(Tables::kSingleColumn, number)) && !singles.m_DeletedSingle)
        return texts.individualExists.arg(n);
    return {};
}

template <class Set>
void MakeSpare(Set& singles)
{
    singles.m_UserIDSingle = 0;
    singles.m_SuspendedSingle = true;
    singles.m_LostSingle = false;
    WriteSelections(singles, FacilitySelections{});
}

template <class Tables>
bool Add(double number, const std::vector<int>& facilityCodes)
{
    const QString refusal = Refusal<Tables>(number);
    if (!refusal.isEmpty()) {
        ShowMessageBox(refusal);
        return false;
    }
    auto& singles = Tables::Singles();
    // A deleted row of the number comes back rather than a second row.
    if (FindRow(singles, EqualsNumber(Tables::kSingleColumn, number)))
        singles.Edit();
    else
        singles.AddNew();
    MakeSpare(singles);
    Tables::Number(singles) = number;
    singles.m_DeletedSingle = false;
    WriteSelections(singles, SelectionsOf(facilityCodes));
    singles.Update();
    singles.Requery();
    return true;
}

template <class Tables>
bool FindByIndex(std::int32_t autoNumIndexSingle)
{
    return FindRow(Tables::Singles(), QStringLiteral("AutoNumIndexSingle = %1").arg(autoNumIndexSingle));
}

template <class Tables>
bool Assigned(std::int32_t autoNumIndexSingle)
{
    return FindByIndex<Tables>(autoNumIndexSingle) && Tables::Singles().m_UserIDSingle > 0;
}

// The holder the number had, 0 for none; -1 when no row has the index.
template <class Tables>
std::int32_t Delete(std::int32_t autoNumIndexSingle)
{
    if (!FindByIndex<Tables>(autoNumIndexSingle))
        return -1;
    auto& singles = Tables::Singles();
    const std::int32_t holder = singles.m_UserIDSingle;
    singles.Edit();
    MakeSpare(singles);
    singles.m_DeletedSingle = true;
    singles.Update();
    singles.Requery();
    return holder;
}

} // namespace

std::vector<IndividualRow> ListIndividuals(CredentialKind kind)
{
    std::vector<IndividualRow> rows;
    try {
        WithTables(kind, [&](auto tables) {
            using Tables = decltype(tables);
            WalkSorted(Tables::Singles(), QStringLiteral("DeletedSingle = FALSE"), QLatin1String(Tables::kSingleColumn),
                       [&](auto& r) {
                           rows.push_back({FormatWholeNumber(Tables::Number(r)), Tables::SingleFacilityCodes(),
                                           r.m_AutoNumIndexSingle});
                       });
        });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return rows;
}

bool MayAddIndividual(CredentialKind kind)
{
    try {
        const long live = WithTables(kind, [](auto tables) { return CountLive<decltype(tables)>(); });
        if (live < kMaxIndividuals)
            return true;
        ShowMessageBox(ViewTextsOf(kind).maxIndividualsInView.arg(kMaxIndividuals));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return false;
}

bool AddIndividual(CredentialKind kind, double number, const std::vector<int>& facilityCodes)
{
    try {
        return WithTables(kind, [&](auto tables) { return Add<decltype(tables)>(number, facilityCodes); });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool IsAssigned(CredentialKind kind, std::int32_t autoNumIndexSingle)
{
    bool assigned = false;
    try {
        assigned = WithTables(kind, [&](auto tables) { return Assigned<decltype(tables)>(autoNumIndexSingle); });
    } catch (const DatabaseException& error) {
        // Without an answer the number may have a holder: it stays.
        ShowDatabaseError(error);
        return true;
    }
    if (assigned) {
        const auto& refused = ViewTextsOf(kind).individualDeleteRefused;
        ShowMessageBox(QStringLiteral("%1%2\n\n%3").arg(refused[0], refused[1], refused[2]));
    }
    return assigned;
}

bool DeleteIndividual(CredentialKind kind, std::int32_t autoNumIndexSingle)
{
    std::int32_t holder = -1;
    try {
        holder = WithTables(kind, [&](auto tables) { return Delete<decltype(tables)>(autoNumIndexSingle); });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    if (holder < 0)
        return false;
    if (holder > 0)
        CredentialBlocks::ReleaseHolderFlag(kind, holder);
    MarkDataToProgram();
    return true;
}

} // namespace CredentialIndividuals
