#include "platform/TableDef.h"

#include "platform/Database.h"
#include "platform/TextCollation.h"

namespace
{
const char* DeclaredType(FieldType type)
{
    switch (type) {
    case FieldType::Long: return "LONG";
    case FieldType::Short: return "SHORT";
    case FieldType::Byte: return "BYTE";
    case FieldType::Bool: return "YESNO";
    case FieldType::Double: return "DOUBLE";
    case FieldType::Text: return "TEXT";
    // REAL affinity keeps a whole-day date a double rather than an integer.
    case FieldType::DateTime: return "DATETIME REAL";
    }
    return "LONG";
}
} // namespace

QString ColumnDef::Declaration() const
{
    QString text = BracketName(name) + QLatin1Char(' ');
    if (key != NotKey) {
        // Only INTEGER PRIMARY KEY makes the column the row identifier.
        text += QStringLiteral("INTEGER PRIMARY KEY");
        if (key == Counter)
            text += QStringLiteral(" AUTOINCREMENT");
        return text;
    }
    text += QLatin1String(DeclaredType(type));
    if (type == FieldType::Text)
        text += QStringLiteral(" COLLATE ") + QLatin1String(kTextCollation);
    if (!defaultValue.isEmpty())
        text += QStringLiteral(" DEFAULT ") + defaultValue;
    return text;
}

FieldType FieldTypeFromDeclared(const QString& declared)
{
    static const std::pair<const char*, FieldType> kTypes[] = {
        {"SHORT", FieldType::Short}, {"BYTE", FieldType::Byte},     {"YESNO", FieldType::Bool},
        {"DOUBLE", FieldType::Double}, {"TEXT", FieldType::Text}, {"DATETIME REAL", FieldType::DateTime},
    };
    for (const auto& [name, type] : kTypes)
        if (declared.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return type;
    return FieldType::Long;
}
