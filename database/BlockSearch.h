#pragma once

#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"
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
        if (!set.IsBOF())
            set.MoveFirst();
        else
            set.MoveNext();
        for (; !set.IsEOF(); set.MoveNext())
            if (holds())
                return true;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return false;
}

// Opens a closed recordset, requeries an open one, under a wait cursor.
void OpenOrRequery(Recordset& set);
