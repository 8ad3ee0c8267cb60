#include "platform/DatabaseTransaction.h"

#include "platform/Database.h"
#include "platform/DatabaseException.h"

#include <sqlite3.h>

DatabaseTransaction::DatabaseTransaction(const QString& databasePath, int batchSize)
    : m_batchSize(batchSize > 0 ? batchSize : kDefaultBatch)
{
    if (!Database::IsOpenFile(databasePath))
        return;
    m_database = Database::Open(databasePath);
    // An outer scope already holds the transaction; it commits for us.
    if (!sqlite3_get_autocommit(m_database->Handle()))
        m_database.reset();
    else
        Begin();
}

DatabaseTransaction::~DatabaseTransaction()
{
    try {
        Commit();
    } catch (const DatabaseException&) {
        // A failed commit leaves the writes to SQLite's own rollback.
        if (m_database && !sqlite3_get_autocommit(m_database->Handle()))
            sqlite3_exec(m_database->Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void DatabaseTransaction::Begin()
{
    m_database->Execute(QStringLiteral("BEGIN"));
    m_open = true;
    m_steps = 0;
}

void DatabaseTransaction::Step()
{
    if (!m_open || ++m_steps < m_batchSize)
        return;
    Commit();
    Begin();
}

void DatabaseTransaction::Commit()
{
    if (!m_open)
        return;
    m_open = false;
    m_database->Execute(QStringLiteral("COMMIT"));
}
