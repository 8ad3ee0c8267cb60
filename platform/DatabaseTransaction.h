#pragma once

#include <QString>

#include <memory>

class Database;

// Groups the writes made to one open database file into one transaction, so
// a long run of small writes is not paid for one commit at a time. What was
// written is committed when the scope ends, also when it ends by an
// exception: every write in it stands on its own. Inside a transaction that
// is already open, or on a file that is not open, the scope does nothing.
class DatabaseTransaction
{
public:
    explicit DatabaseTransaction(const QString& databasePath);
    ~DatabaseTransaction();
    DatabaseTransaction(const DatabaseTransaction&) = delete;
    DatabaseTransaction& operator=(const DatabaseTransaction&) = delete;

    // Throws when the writes could not be committed; they are then taken back.
    void Commit();
    // Takes back every write of the scope.
    void Rollback();

private:
    std::shared_ptr<Database> m_database;
    bool m_open = false;
};
