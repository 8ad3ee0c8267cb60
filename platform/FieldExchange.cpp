#include "platform/FieldExchange.h"

#include "platform/OleDate.h"

namespace
{
template <class... Ts>
struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;
} // namespace

QVariant FieldBinding::StoredValue() const
{
    return std::visit(Overloaded{
                          [](std::int32_t* m) { return QVariant(qint64(*m)); },
                          [](std::int16_t* m) { return QVariant(qint64(*m)); },
                          [](std::uint8_t* m) { return QVariant(qint64(*m)); },
                          [](bool* m) { return QVariant(qint64(*m ? kStoredTrue : kStoredFalse)); },
                          [](double* m) { return QVariant(*m); },
                          [](QString* m) { return QVariant(*m); },
                          // No date is NULL, as Jet stores a date nobody set.
                          [](QDateTime* m) { return m->isValid() ? QVariant(ToOleDate(*m)) : QVariant(); },
                      },
                      member);
}

void FieldBinding::Load(const QVariant& stored) const
{
    // Taken only for the whole-number members: converting a text to a
    // number for nothing costs more than reading the row.
    const auto whole = [&stored] {
        if (stored.typeId() == QMetaType::LongLong)
            return stored.value<qint64>();
        return stored.isNull() ? qint64(0) : stored.toLongLong();
    };
    std::visit(Overloaded{
                   [&](std::int32_t* m) { *m = static_cast<std::int32_t>(whole()); },
                   [&](std::int16_t* m) { *m = static_cast<std::int16_t>(whole()); },
                   [&](std::uint8_t* m) { *m = static_cast<std::uint8_t>(whole()); },
                   [&](bool* m) { *m = whole() != 0; },
                   [&](double* m) { *m = stored.isNull() ? 0.0 : stored.toDouble(); },
                   [&](QString* m) { *m = stored.isNull() ? QString() : stored.toString(); },
                   [&](QDateTime* m) { *m = stored.isNull() ? QDateTime() : FromOleDate(stored.toDouble()); },
               },
               member);
}
