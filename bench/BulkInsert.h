#pragma once

#include "platform/Database.h"
#include "platform/SqlStatement.h"

#include <QString>

#include <functional>
#include <memory>

// Inserts rows into a benchmark site's file in one transaction; bind fills
// the statement's parameters for each row.
inline void Fill(const QString& path, const QString& insert, int rows, const std::function<void(SqlStatement&, int)>& bind)
{
    const std::shared_ptr<Database> database = Database::Open(path);
    database->Execute(QStringLiteral("BEGIN"));
    SqlStatement statement(database->Handle(), insert);
    for (int row = 0; row < rows; ++row) {
        bind(statement, row);
        statement.Step();
        statement.Reset();
    }
    database->Execute(QStringLiteral("COMMIT"));
}
