#pragma once

#include "image/AllRowsWalk.h"
#include "image/CBlockBinder.h"

#include <algorithm>
#include <vector>

// Reading the block and credential rows of either credential kind; the
// tables differ only in the credential's number field. Every row is read,
// whatever filter a screen left on the program-wide recordsets.
namespace BlockRows {

// The block rows in AutoNumIndex order, which decides their pages.
template <class BlockSet>
std::vector<CBlockBinder::BlockRow> Blocks(BlockSet& set)
{
    std::vector<CBlockBinder::BlockRow> rows;
    ReadAllRows(set, QString(), [&rows](const BlockSet& row) {
        rows.push_back({row.m_AutoNumIndex, row.m_BlockBegin, row.m_BlockEnd, row.m_Deleted,
                        {row.m_FacCode_Sel_A, row.m_FacCode_Sel_B, row.m_FacCode_Sel_C, row.m_FacCode_Sel_D}});
    });
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.autoNumIndex < b.autoNumIndex; });
    return rows;
}

// Every credential row in the table's order; number picks the number field.
template <class CredentialSet, class Number>
std::vector<CBlockBinder::CredentialRow> Credentials(CredentialSet& set, Number number)
{
    std::vector<CBlockBinder::CredentialRow> rows;
    ReadAllRows(set, QString(), [&rows, number](const CredentialSet& row) {
        rows.push_back({row.*number, !row.m_Lost && !row.m_Suspended, row.m_UserID});
    });
    return rows;
}

} // namespace BlockRows
