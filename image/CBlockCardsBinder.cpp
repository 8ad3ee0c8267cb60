#include "image/CBlockCardsBinder.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/BlockRows.h"
#include "platform/DatabaseException.h"

int CBlockCardsBinder::Bind()
{
    std::vector<BlockRow> blocks;
    std::vector<CredentialRow> credentials;
    try {
        blocks = BlockRows::Blocks(g_setCardBlocks);
        credentials = BlockRows::Credentials(g_setCards, &CSetCards::m_CardID);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    return WritePages(QStringLiteral("Binding Block Cards..."), blocks, credentials, "Cards");
}
