#pragma once

#include "app/RecordsetWalk.h"
#include "image/CBlockBinder.h"

#include <vector>

// Reading the block and credential rows of either credential kind; the
// tables differ only in the credential's number field.
namespace BlockRows {

// The block rows in AutoNumIndex order; the recordset's filter and sort are
// given back afterwards.
template <class BlockSet>
std::vector<CBlockBinder::BlockRow> Blocks(BlockSet& set)
{
    std::vector<CBlockBinder::BlockRow> rows;
    if (!set.IsOpen())
        return rows;
    const QString filter = set.m_strFilter;
    const QString sort = set.m_strSort;
    set.m_strFilter.clear();
    set.m_strSort = QStringLiteral("AutoNumIndex");
    set.Requery();
    for (bool row = MoveToFirstRow(set); row && !set.IsEOF(); set.MoveNext())
        rows.push_back({set.m_AutoNumIndex, set.m_BlockBegin, set.m_BlockEnd, set.m_Deleted,
                        {set.m_FacCode_Sel_A, set.m_FacCode_Sel_B, set.m_FacCode_Sel_C, set.m_FacCode_Sel_D}});
    set.m_strFilter = filter;
    set.m_strSort = sort;
    set.Requery();
    return rows;
}

// Every credential row in the table's order; number picks the number field.
template <class CredentialSet, class Number>
std::vector<CBlockBinder::CredentialRow> Credentials(CredentialSet& set, Number number)
{
    std::vector<CBlockBinder::CredentialRow> rows;
    for (bool row = MoveToFirstRow(set); row && !set.IsEOF(); set.MoveNext())
        rows.push_back({set.*number, !set.m_Lost && !set.m_Suspended, set.m_UserID});
    return rows;
}

} // namespace BlockRows
