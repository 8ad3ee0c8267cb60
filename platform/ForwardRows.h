#pragma once

#include "platform/Database.h"
#include "platform/FieldExchange.h"

#include <QString>

#include <memory>
#include <vector>

class Recordset;
class SqlStatement;

// The forward-only mode of a recordset: one query, read once from front to
// back, for the rows of the recordset's table that a Jet criterion selects,
// in the order of the recordset's default query. Rows of equal sort values
// come in storage order, turned round when the last sort term is descending.
// Each row is loaded into the recordset's bound members, which need not be
// open. The criterion's literals are bound as parameters. Uses the file's
// shared connection; errors throw DatabaseException.
class ForwardRows
{
public:
    ForwardRows(Recordset& target, const QString& criteria);
    ~ForwardRows();
    ForwardRows(const ForwardRows&) = delete;
    ForwardRows& operator=(const ForwardRows&) = delete;

    // Loads the next row; false once the rows are used up.
    bool MoveNext();
    // The statement the rows come from, for query plans.
    const QString& Sql() const { return m_sql; }

private:
    std::shared_ptr<Database> m_database;
    std::vector<FieldBinding> m_bindings;
    QString m_sql;
    std::unique_ptr<SqlStatement> m_statement;
};
