#include "reports/lists/HolderWalks.h"

#include "database/GlobalRecordsets.h"

namespace {

void Requery(Recordset& set, const QString& sort, const QString& filter)
{
    set.m_strSort = sort;
    set.m_strFilter = filter;
    set.Requery();
}

void EachCodeOf(Recordset& codes, std::int32_t userID, const ReportHolder& holder, const HolderRowWriter& write)
{
    const QString criterion = QStringLiteral("UserID = %1").arg(userID);
    for (bool found = codes.FindFirst(criterion); found; found = codes.FindNext(criterion))
        write(holder);
}

} // namespace

void ClearSortAndFilter(Recordset& set)
{
    Requery(set, QString(), QString());
}

void WalkCodes(Recordset& codes, const QString& sort, const QString& filter, const std::function<void()>& write)
{
    Requery(codes, sort, filter);
    for (; !codes.IsEOF(); codes.MoveNext())
        write();
    ClearSortAndFilter(codes);
}

void WalkCodesByCardholder(Recordset& codes, const QString& codesFilter, const char* gotField,
                           const HolderRowWriter& write)
{
    Requery(codes, QString(), codesFilter);
    Requery(g_setUsers, QStringLiteral("[LastName],[FirstName] ASC"),
            QLatin1String(gotField) + QStringLiteral(" = TRUE AND Deleted = FALSE"));
    for (; !g_setUsers.IsEOF(); g_setUsers.MoveNext())
        EachCodeOf(codes, g_setUsers.m_UserID, CurrentHolder(), write);
    ClearSortAndFilter(g_setUsers);
    ClearSortAndFilter(codes);
}

void WalkCodesBySet(Recordset& codes, const QString& codesFilter, const QString& setOrder, const char* gotField,
                    const HolderRowWriter& write)
{
    Requery(codes, QString(), codesFilter);
    Requery(g_setUserGroups, setOrder, QStringLiteral("Deleted = FALSE"));
    Requery(g_setUsers, QString(),
            QLatin1String(gotField) + QStringLiteral(" = TRUE AND UserID > 0 AND Deleted = FALSE"));
    for (; !g_setUserGroups.IsEOF(); g_setUserGroups.MoveNext()) {
        const QString members = QStringLiteral("[CHSetIndex] = %1").arg(g_setUserGroups.m_CHSetIndex);
        for (bool found = g_setUsers.FindFirst(members); found; found = g_setUsers.FindNext(members))
            EachCodeOf(codes, g_setUsers.m_UserID, CurrentHolderInCurrentSet(), write);
    }
    ClearSortAndFilter(g_setUsers);
    ClearSortAndFilter(g_setUserGroups);
    ClearSortAndFilter(codes);
}
