#pragma once

#include "platform/TableDef.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

struct sqlite3;

// Whoever holds a connection open and must let go of it when every
// connection is closed on demand (before files are copied or compacted).
class DatabaseUser
{
public:
    virtual void ReleaseConnection() = 0;

protected:
    ~DatabaseUser() = default;
};

// One SQLite connection per database file, shared by everything open on
// that file and closed with the last holder, so that recordsets on one file
// never lock each other out. Connections belong to the user-interface
// thread alone.
class Database
{
public:
    // The connection of an existing file, opening it when none is open.
    static std::shared_ptr<Database> Open(const QString& path);
    // Makes a new empty database file; an existing file is an error.
    static std::shared_ptr<Database> Create(const QString& path);
    // Asks every user of every connection to let go; the connections close.
    static void CloseAllConnections();
    // True while a connection to the file is open.
    static bool IsOpenFile(const QString& path);

    // Copies the file, compacted, into a new file that must not exist yet.
    static void CompactInto(const QString& source, const QString& destination);
    // Moves source over target in one step.
    static void ReplaceFile(const QString& source, const QString& target);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& Path() const { return m_path; }
    sqlite3* Handle() const { return m_db; }

    void Execute(const QString& sql);
    void CreateTable(const TableDef& table);
    // Makes the table's indexes that the file does not have yet, or has on
    // other columns than the definition gives.
    void AddMissingIndexes(const TableDef& table);
    bool HasTable(const QString& table);
    // The table's columns in their order; an unknown table is an error.
    std::vector<ColumnDef> Fields(const QString& table);
    void AddField(const QString& table, const ColumnDef& column);

    // Grows with every row written and every rollback on this connection:
    // equal marks mean the tables hold what they held.
    qint64 WriteMark() const;

    void AddUser(DatabaseUser* user);
    void RemoveUser(DatabaseUser* user);

private:
    Database(QString path, sqlite3* db);
    static std::shared_ptr<Database> Connect(const QString& path, int flags);
    // The columns of an index in their order; empty when there is none.
    QStringList IndexColumns(const QString& index);

    QString m_path;
    QString m_key; // the file's name in the registry of open connections
    sqlite3* m_db;
    qint64 m_rollbacks = 0;
    std::vector<DatabaseUser*> m_users;
};

// Throws the DatabaseException for an SQLite result that is not a success.
void CheckSqlite(sqlite3* db, int result, const QString& subject = {});

// Quotes a name as [name] for statements that we build.
QString BracketName(const QString& name);
