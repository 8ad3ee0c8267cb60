#include "platform/DatabaseTransaction.h"

#include "platform/Database.h"
#include "platform/DatabaseException.h"

#include <sqlite3.h>

DatabaseTransaction::DatabaseTransaction(const QString& databasePath)
{
    if (!Database::IsOpenFile(databasePath))
        return;
    m_database = Database::Open(databasePath);
    // An outer scope already holds the transaction; it commits for us.
    if (!sqlite3_get_autocommit(m_database->Handle()))
        return;
    m_database->Execute(QStringLiteral("BEGIN"));
    m_open = true;
}

DatabaseTransaction::~DatabaseTransaction()
{
    try {
        Commit();
    } catch (const DatabaseException&) {
        // A commit that fails leaves the writes to SQLite's own rollback.
        if (!sqlite3_get_autocommit(m_database->Handle()))
            sqlite3_exec(m_database->Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void DatabaseTransaction::Commit()
{
    if (!m_open)
        return;
    m_open = false;
    try {
        m_database->Execute(QStringLiteral("COMMIT"));
    } catch (const DatabaseException&) {
        // A commit the disk refused may leave the transaction open: nothing
        // of it is kept.
        if (!sqlite3_get_autocommit(m_database->Handle()))
            sqlite3_exec(m_database->Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void DatabaseTransaction::Rollback()
{
    if (!m_open)
        return;
    m_open = false;
    // A write the disk refused may have made the engine take the
    // transaction back already.
    if (!sqlite3_get_autocommit(m_database->Handle()))
        m_database->Execute(QStringLiteral("ROLLBACK"));
}
