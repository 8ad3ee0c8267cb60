#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement, finalised when it goes. Errors throw
// DatabaseException with the engine's message mapped to an error number.
class SqlStatement
{
public:
    SqlStatement(sqlite3* db, const QString& sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    // Parameters count from 1.
    void Bind(int index, const QVariant& value);
    void BindInt64(int index, qint64 value);
    void BindBlob(int index, const QByteArray& bytes);
    // True while a row is ready.
    bool Step();
    void Reset();

    qint64 Int64(int column) const;
    QVariant Value(int column) const;
    QByteArray Blob(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};
