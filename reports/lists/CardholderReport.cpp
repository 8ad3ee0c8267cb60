#include "reports/lists/CardholderReport.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"
#include "reports/lists/CardholderBlock.h"

#include <array>
#include <unordered_set>

namespace {

constexpr const char* kNameSort = "[LastName],[FirstName] ASC";
constexpr const char* kNotDeleted = "Deleted = FALSE";
constexpr const char* kBothPlaces = "Deleted = FALSE AND NOT (City = \"\") AND NOT (State = \"\")";
constexpr const char* kEntrySubsetSort = "[SubsetA],[SubsetB],[SubsetC],[SubsetD],[SubsetE],[SubsetF],[SubsetG],[SubsetH]";

void SetTexts(Recordset& set, const char* sort, const char* filter)
{
    set.m_strSort = QString::fromLatin1(sort);
    set.m_strFilter = QString::fromLatin1(filter);
    set.Requery();
}

void ClearTexts(Recordset& set)
{
    set.m_strSort.clear();
    set.m_strFilter.clear();
    set.Requery();
}

using Listed = bool (*)(const CSetUsers& user);

bool Always(const CSetUsers&)
{
    return true;
}

// Lists the rows of CSetUsers, in the order and filter given, that pass listed.
void WalkUsers(IReportRowSink& rows, bool withCredentials, const char* sort, const char* filter,
               Listed listed = Always)
{
    CSetUsers& users = g_setUsers;
    SetTexts(users, sort, filter);
    for (; !users.IsEOF(); users.MoveNext()) {
        if (listed(users))
            WriteCardholderBlock(rows, withCredentials, CardholderSetRow::Lookup);
    }
}

// The walks end on the whole tables again, in their own order, for the other
// screens. Without an installation the recordsets are closed and there is no one to list.
template <class Walk>
void RunWalks(Walk walk)
{
    if (!g_setUsers.IsOpen())
        return;
    try {
        walk();
        ClearTexts(g_setUsers);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

bool HasCityAndState(const CSetUsers& user)
{
    return !user.m_City.isEmpty() && !user.m_State.isEmpty();
}

bool HasPhone(const CSetUsers& user)
{
    return !user.m_HomePhone.isEmpty() || !user.m_WorkPhone.isEmpty();
}

// Moves the users' walk to the cardholder; false when it is not listed there.
bool FindUser(CSetUsers& users, std::int32_t userId)
{
    if (!users.IsBOF() && !users.IsEOF() && users.m_UserID == userId)
        return true;
    return users.FindFirst(QStringLiteral("UserID = %1").arg(userId));
}

// The cardholders with directory entries, each once, in the order of their
// first entry by subset; then everyone else in name order.
void WalkBySubsets(IReportRowSink& rows, bool withCredentials)
{
    CSetUsers& users = g_setUsers;
    CSetPhoneEntries& entries = g_setPhoneEntries;
    SetTexts(users, "", kNotDeleted);
    SetTexts(entries, kEntrySubsetSort, "UserID <> 0");
    // Keyed by UserID, so any UserID is recorded without a fixed table.
    std::unordered_set<std::int32_t> listed;
    for (; !entries.IsEOF(); entries.MoveNext()) {
        if (!FindUser(users, entries.m_UserID) || !listed.insert(entries.m_UserID).second)
            continue;
        const QString subsets = CurrentEntrySubsets();
        // The credential lines search the same entries.
        const RecordBookmark at = entries.GetBookmark();
        WriteCardholderBlock(rows, withCredentials, CardholderSetRow::Lookup, &subsets);
        entries.SetBookmark(at);
    }
    ClearTexts(entries);
    SetTexts(users, kNameSort, kNotDeleted);
    const QString notApplicable = QStringLiteral("N/A");
    for (; !users.IsEOF(); users.MoveNext()) {
        if (!listed.count(users.m_UserID))
            WriteCardholderBlock(rows, withCredentials, CardholderSetRow::Lookup, &notApplicable);
    }
}

// Each set that is not deleted, in the set order given, with its members.
void WalkBySet(IReportRowSink& rows, bool withCredentials, const char* setSort, const char* memberSort)
{
    CSetUserGroups& sets = g_setUserGroups;
    CSetUsers& users = g_setUsers;
    SetTexts(sets, setSort, kNotDeleted);
    for (; !sets.IsEOF(); sets.MoveNext()) {
        users.m_strSort = QString::fromLatin1(memberSort);
        users.m_strFilter =
            QStringLiteral("UserID > 0 AND [Deleted] = FALSE AND [CHSetIndex] = %1").arg(sets.m_CHSetIndex);
        users.Requery();
        for (; !users.IsEOF(); users.MoveNext())
            WriteCardholderBlock(rows, withCredentials, CardholderSetRow::Walked);
    }
    ClearTexts(sets);
}

template <void (*Build)(IReportRowSink&, bool), bool WithCredentials>
void Bound(IReportRowSink& rows)
{
    Build(rows, WithCredentials);
}

template <bool WithCredentials>
constexpr std::array<ReportBuilder, 8> kVariants = {
    Bound<BuildCardholderReportByName, WithCredentials>,
    Bound<BuildCardholderReportByStatus, WithCredentials>,
    Bound<BuildCardholderReportByAddress, WithCredentials>,
    Bound<BuildCardholderReportByPhone, WithCredentials>,
    Bound<BuildCardholderReportByExpiration, WithCredentials>,
    Bound<BuildCardholderReportBySubsets, WithCredentials>,
    Bound<BuildCardholderReportBySet, WithCredentials>,
    Bound<BuildCardholderReportBySetStatus, WithCredentials>,
};

} // namespace

void BuildCardholderReport(IReportRowSink& rows, bool withCredentials)
{
    BuildCardholderReportByName(rows, withCredentials);
}

void BuildCardholderReportByName(IReportRowSink& rows, bool withCredentials)
{
    RunWalks([&] { WalkUsers(rows, withCredentials, kNameSort, kNotDeleted); });
}

void BuildCardholderReportByStatus(IReportRowSink& rows, bool withCredentials)
{
    RunWalks([&] {
        WalkUsers(rows, withCredentials, "[Active], [NeverExpiers], [LastName],[FirstName] ASC", kNotDeleted);
    });
}

void BuildCardholderReportByAddress(IReportRowSink& rows, bool withCredentials)
{
    constexpr const char* kPlaceSort = "[State] ASC, [City] ASC, [Street] ASC";
    RunWalks([&] {
        WalkUsers(rows, withCredentials, kPlaceSort, kBothPlaces);
        WalkUsers(rows, withCredentials, kPlaceSort, kNotDeleted,
                  [](const CSetUsers& user) { return !HasCityAndState(user); });
    });
}

void BuildCardholderReportByPhone(IReportRowSink& rows, bool withCredentials)
{
    RunWalks([&] {
        WalkUsers(rows, withCredentials, "[HomePhone], [WorkPhone]", kNotDeleted, HasPhone);
        WalkUsers(rows, withCredentials, "[HomePhone]", kNotDeleted,
                  [](const CSetUsers& user) { return !HasPhone(user); });
    });
}

void BuildCardholderReportByExpiration(IReportRowSink& rows, bool withCredentials)
{
    RunWalks([&] { WalkUsers(rows, withCredentials, "NOT (NeverExpiers), [LastName],[FirstName] ASC", kNotDeleted); });
}

void BuildCardholderReportBySubsets(IReportRowSink& rows, bool withCredentials)
{
    RunWalks([&] { WalkBySubsets(rows, withCredentials); });
}

void BuildCardholderReportBySet(IReportRowSink& rows, bool withCredentials)
{
    RunWalks([&] { WalkBySet(rows, withCredentials, "[CHSetName] ASC", kNameSort); });
}

void BuildCardholderReportBySetStatus(IReportRowSink& rows, bool withCredentials)
{
    RunWalks([&] { WalkBySet(rows, withCredentials, "NOT([Suspend])", ""); });
}

void BuildCardholdersWithCredentials(IReportRowSink& rows)
{
    BuildCardholderReport(rows, true);
}

void BuildCardholdersWithoutCredentials(IReportRowSink& rows)
{
    BuildCardholderReport(rows, false);
}

ReportBuilder CardholderSortVariant(bool withCredentials, int column)
{
    const auto& variants = withCredentials ? kVariants<true> : kVariants<false>;
    if (column < 0 || column >= static_cast<int>(variants.size()))
        return nullptr;
    return variants[static_cast<std::size_t>(column)];
}
