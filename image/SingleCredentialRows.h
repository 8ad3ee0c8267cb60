#pragma once

#include "app/RecordsetWalk.h"
#include "image/CSingleLearnedBinder.h"

#include <vector>

namespace SingleCredentialRows {

// Every row of a single-credential table in table order; number picks the
// credential number field. The recordset's filter and sort are given back.
template <class Set, class Number>
std::vector<CSingleLearnedBinder::Row> Read(Set& set, Number number)
{
    std::vector<CSingleLearnedBinder::Row> rows;
    if (!set.IsOpen())
        return rows;
    const QString filter = set.m_strFilter;
    const QString sort = set.m_strSort;
    set.m_strFilter.clear();
    set.m_strSort.clear();
    set.Requery();
    for (bool row = MoveToFirstRow(set); row && !set.IsEOF(); set.MoveNext())
        rows.push_back({set.*number, set.m_DeletedSingle, set.m_LostSingle, set.m_SuspendedSingle,
                        set.m_UserIDSingle,
                        {set.m_FacCode_Sel_A, set.m_FacCode_Sel_B, set.m_FacCode_Sel_C, set.m_FacCode_Sel_D}});
    set.m_strFilter = filter;
    set.m_strSort = sort;
    set.Requery();
    return rows;
}

} // namespace SingleCredentialRows
