#include "database/PendingEventBlocks.h"

#include "platform/Database.h"
#include "platform/SqlStatement.h"

PendingEventBlocks::PendingEventBlocks(const QString& eventLogPath)
    : m_database(Database::Open(eventLogPath))
{
    // Logs made before the table existed get it here.
    m_database->Execute(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS [PendingEventBlocks] ([NetNode] INTEGER PRIMARY KEY, [Block] BLOB NOT NULL)"));
}

bool PendingEventBlocks::IsKept(std::uint8_t netNode, const QByteArray& block)
{
    SqlStatement query(m_database->Handle(), QStringLiteral("SELECT [Block] FROM [PendingEventBlocks] WHERE [NetNode] = ?"));
    query.BindInt64(1, netNode);
    return query.Step() && query.Blob(0) == block;
}

void PendingEventBlocks::Keep(std::uint8_t netNode, const QByteArray& block)
{
    SqlStatement write(m_database->Handle(),
                       QStringLiteral("INSERT OR REPLACE INTO [PendingEventBlocks] ([NetNode], [Block]) VALUES (?, ?)"));
    write.BindInt64(1, netNode);
    write.BindBlob(2, block);
    write.Step();
}

void PendingEventBlocks::Forget(std::uint8_t netNode)
{
    SqlStatement remove(m_database->Handle(), QStringLiteral("DELETE FROM [PendingEventBlocks] WHERE [NetNode] = ?"));
    remove.BindInt64(1, netNode);
    remove.Step();
}

QString PendingEventBlocks::Path() const
{
    return m_database->Path();
}
