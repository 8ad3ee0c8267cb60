#pragma once

#include "platform/FieldExchange.h"

#include <QString>
#include <QStringList>

#include <vector>

// A column as the schema declares it. The key column is the table's row
// identifier; a counter key is numbered by the file and never reused.
struct ColumnDef
{
    enum KeyKind { NotKey, Key, Counter };

    QString name;
    FieldType type = FieldType::Long;
    KeyKind key = NotKey;
    QString defaultValue; // SQL literal; empty for none

    // The column's clause of CREATE TABLE or ALTER TABLE ... ADD.
    QString Declaration() const;
};

// The field type of a column as the database declares it.
FieldType FieldTypeFromDeclared(const QString& declared);

struct IndexDef
{
    QStringList columns;
};

struct TableDef
{
    QString name;
    std::vector<ColumnDef> columns;
    std::vector<IndexDef> indexes;
};
