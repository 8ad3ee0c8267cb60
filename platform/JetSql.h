#pragma once

#include <QString>
#include <QVariant>

#include <vector>

// Translates criteria, sort texts and simple queries written in the Jet
// dialect that the program's callers use into SQLite's. A construct it does
// not know is a DatabaseException, never passed on as it stands.
namespace JetSql
{
// A WHERE condition: "LastName = "O'Hara"", "[Time] BETWEEN #3/1/04# AND ...".
QString TranslateCriteria(const QString& criteria);
// The same condition with every literal a "?" parameter, its values in order:
// the statement's text never holds a value of the criterion.
struct BoundCriteria
{
    QString condition;
    std::vector<QVariant> values;
};
BoundCriteria TranslateBoundCriteria(const QString& criteria);
// An ORDER BY list; NOT on a Yes/No value stays bitwise, as Jet sorts it.
QString TranslateSort(const QString& sort);

// "[Table]", "Table" or "SELECT * FROM [Table] [WHERE ...] [ORDER BY ...]".
struct Select
{
    QString table;   // without brackets
    QString where;   // translated, empty for none
    QString orderBy; // translated, empty for none
};
Select ParseSelect(const QString& sql);

// A text as a Jet string literal, safe to put into a criterion whatever it
// holds: "O'Hara" stays intact and a quote cannot end the literal.
QString QuoteText(const QString& text);
// A number as a criterion literal that reads back as the same double.
QString FormatNumber(double value);
} // namespace JetSql
