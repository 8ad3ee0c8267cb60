#pragma once

#include "common/RecordsetWalk.h"
#include "platform/DatabaseException.h"
#include "platform/ForwardRows.h"
#include "platform/Recordset.h"

#include <QString>

// Walks every row of a program-wide recordset that filter selects, in table
// order, whatever filter and sort a screen left on it; both are given back
// afterwards, also when the walk throws. A closed recordset throws rather
// than reading as an empty table, which a binder would send as blank memory.
template <class Set, class Visit>
void WalkAllRows(Set& set, const QString& filter, Visit visit)
{
    struct Restore
    {
        Set& set;
        QString filter;
        QString sort;
        ~Restore()
        {
            set.m_strFilter = filter;
            set.m_strSort = sort;
            try {
                set.Requery();
            } catch (const DatabaseException&) {
                // The walk's own error, if any, is the one reported.
            }
        }
    } restore{set, set.m_strFilter, set.m_strSort};
    set.m_strFilter = filter;
    set.m_strSort.clear();
    set.Requery();
    for (bool row = MoveToFirstRow(set); row && !set.IsEOF(); set.MoveNext())
        visit(set);
}

// The same rows in the same order for a visit that only reads them: one
// query read once, into a recordset of the walk's own, so the program-wide
// one keeps its rows, its current row and its members.
template <class Set, class Visit>
void ReadAllRows(const Set& set, const QString& filter, Visit visit)
{
    if (!set.IsOpen())
        throw DatabaseException(JetError::NotOpen, QStringLiteral("The recordset is not open."));
    Set rows;
    rows.m_strDBFolder = set.m_strDBFolder;
    ForwardRows walk(rows, filter);
    while (walk.MoveNext())
        visit(static_cast<const Set&>(rows));
}
