#include "image/CSingleCardsBinder.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/SingleCredentialRows.h"
#include "platform/DatabaseException.h"

int CSingleCardsBinder::Bind()
{
    std::vector<Row> rows;
    try {
        rows = SingleCredentialRows::Read(g_setSingleCard, &CSetSingleCard::m_CardIDSingle);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    return BindRows(rows, {"Binding Single Learned Cards...", "The database for single learned cards is full", "Single Cards"});
}
