#include "image/CSingleTransmittersBinder.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/SingleCredentialRows.h"
#include "platform/DatabaseException.h"

int CSingleTransmittersBinder::Bind()
{
    std::vector<Row> rows;
    try {
        rows = SingleCredentialRows::Read(g_setSingleXmtr, &CSetSingleXmtr::m_XmtrIDSingle);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    return BindRows(rows, {"Binding Single Learned Transmitters...", "The database for single learned transmitters is full", "Single Transmiters"});
}
