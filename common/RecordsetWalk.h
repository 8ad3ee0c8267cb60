#pragma once

#include "platform/Recordset.h"

// Moves to the first row; false, without moving, on an empty or closed recordset.
inline bool MoveToFirstRow(Recordset& set)
{
    if (!set.IsOpen() || (set.IsBOF() && set.IsEOF()))
        return false;
    set.MoveFirst();
    return true;
}
