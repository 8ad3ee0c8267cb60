#pragma once

#include "common/RecordsetWalk.h"
#include "platform/DatabaseException.h"
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
