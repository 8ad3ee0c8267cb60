#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <variant>
#include <vector>

// The kinds of field a recordset binds, with the storage that keeps their
// meaning: Yes/No as -1/0, dates as OLE dates, texts with the text collation.
enum class FieldType { Long, Short, Byte, Bool, Double, Text, DateTime };

inline constexpr std::int64_t kStoredTrue = -1;
inline constexpr std::int64_t kStoredFalse = 0;

// One member bound to one column.
struct FieldBinding
{
    using Member = std::variant<std::int32_t*, std::int16_t*, std::uint8_t*, bool*, double*, QString*, QDateTime*>;

    QString name;
    FieldType type;
    Member member;

    // The member as it is stored: integer, double or text; an invalid date
    // (none set) is NULL.
    QVariant StoredValue() const;
    // Sets the member from a stored value; a null gives 0, empty, FALSE or,
    // for a date, an invalid one, which has no calendar fields to split.
    void Load(const QVariant& stored) const;
};

// Collects a recordset's bindings in binding order. A recordset's
// DoFieldExchange calls one of these per field.
class FieldExchange
{
public:
    void Long(const QString& name, std::int32_t& member) { Add(name, FieldType::Long, &member); }
    void Short(const QString& name, std::int16_t& member) { Add(name, FieldType::Short, &member); }
    void Byte(const QString& name, std::uint8_t& member) { Add(name, FieldType::Byte, &member); }
    void Bool(const QString& name, bool& member) { Add(name, FieldType::Bool, &member); }
    void Double(const QString& name, double& member) { Add(name, FieldType::Double, &member); }
    void Text(const QString& name, QString& member) { Add(name, FieldType::Text, &member); }
    void DateTime(const QString& name, QDateTime& member) { Add(name, FieldType::DateTime, &member); }

    const std::vector<FieldBinding>& Bindings() const { return m_bindings; }

private:
    void Add(const QString& name, FieldType type, FieldBinding::Member member)
    {
        m_bindings.push_back({name, type, member});
    }

    std::vector<FieldBinding> m_bindings;
};
