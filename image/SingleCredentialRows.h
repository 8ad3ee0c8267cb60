#pragma once

#include "image/AllRowsWalk.h"
#include "image/CSingleLearnedBinder.h"

#include <vector>

namespace SingleCredentialRows {

// Every row of a single-credential table in table order; number picks the
// credential number field.
template <class Set, class Number>
std::vector<CSingleLearnedBinder::Row> Read(Set& set, Number number)
{
    std::vector<CSingleLearnedBinder::Row> rows;
    ReadAllRows(set, QString(), [&](const Set& row) {
        rows.push_back({row.*number, row.m_DeletedSingle, row.m_LostSingle, row.m_SuspendedSingle, row.m_UserIDSingle,
                        {row.m_FacCode_Sel_A, row.m_FacCode_Sel_B, row.m_FacCode_Sel_C, row.m_FacCode_Sel_D}});
    });
    return rows;
}

} // namespace SingleCredentialRows
