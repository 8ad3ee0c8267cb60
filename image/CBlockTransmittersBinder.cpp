#include "image/CBlockTransmittersBinder.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/BlockRows.h"
#include "platform/DatabaseException.h"

int CBlockTransmittersBinder::Bind()
{
    std::vector<BlockRow> blocks;
    std::vector<CredentialRow> credentials;
    try {
        blocks = BlockRows::Blocks(g_setTransmitterBlocks);
        credentials = BlockRows::Credentials(g_setTransmitters, &CSetTransmitters::m_XmtrID);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    return WritePages(QStringLiteral("Binding Block Transmitters..."), blocks, credentials, "Transmitters");
}
