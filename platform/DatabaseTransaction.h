#pragma once

#include <QString>

#include <memory>

class Database;

// Groups the writes made to one database file into transactions of up to
// batchSize statements each, so a long run of small writes is not paid for
// one commit at a time. What was written is committed when the scope ends,
// also when it ends by an exception: every write in it stands on its own.
// Inside a transaction that is already open the scope does nothing.
class DatabaseTransaction
{
public:
    static constexpr int kDefaultBatch = 500;

    explicit DatabaseTransaction(const QString& databasePath, int batchSize = kDefaultBatch);
    ~DatabaseTransaction();
    DatabaseTransaction(const DatabaseTransaction&) = delete;
    DatabaseTransaction& operator=(const DatabaseTransaction&) = delete;

    // One write done: commits and begins anew when the batch is full.
    void Step();
    void Commit();

private:
    void Begin();

    std::shared_ptr<Database> m_database;
    int m_batchSize;
    int m_steps = 0;
    bool m_open = false;
};
