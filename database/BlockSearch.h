#pragma once

#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"
#include "platform/JetSql.h"
#include "platform/Recordset.h"

// The search shared by card and transmitter blocks: the current row first,
// then the rows in order from the first, the first block that holds the
// number winning. Deleted blocks count like the others.
template <class BlockSet>
bool FindBlockContaining(BlockSet& set, double number)
{
    const auto holds = [&] { return set.m_BlockBegin <= number && number <= set.m_BlockEnd; };
    try {
        if (!set.IsBOF() && !set.IsEOF() && holds())
            return true;
        if (set.IsBOF() && set.IsEOF())
            return false;
        // The engine finds the first in order; the rows are not read one by one.
        const QString value = JetSql::FormatNumber(number);
        if (set.FindFirst(QStringLiteral("BlockBegin <= ") + value + QStringLiteral(" AND BlockEnd >= ") + value))
            return true;
        // Where a walk from the first would end.
        if (set.GetRecordCount() > 0) {
            set.MoveLast();
            set.MoveNext();
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return false;
}

// Opens a closed recordset, requeries an open one, under a wait cursor.
void OpenOrRequery(Recordset& set);
