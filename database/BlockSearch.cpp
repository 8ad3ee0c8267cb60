#include "database/BlockSearch.h"

#include "database/WaitCursor.h"

void OpenOrRequery(Recordset& set)
{
    const WaitCursor wait;
    if (set.IsOpen())
        set.Requery();
    else
        set.Open();
}
