#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <initializer_list>

// Pieces of the node view's table rows. Every row is one line of a
// single-quoted script string, so text read from a panel goes through Escaped.
namespace HtmlRows {

// A row of bold centred headings on the heading colour; an empty heading is a white blank cell.
QString HeaderRow(const QStringList& headings);
QString RowStart();

// The pattern with each printf conversion ("%s", "%02u", "%I64d", ...)
// replaced by the next argument, already formatted; "%%" is one "%". The
// arguments are never read as patterns.
QString Fill(const char* pattern, std::initializer_list<QString> args);

// Panel text made safe inside the script string and the markup: "\" and "'"
// are escaped for the script, "<", ">" and "&" become entities, and line
// breaks and other unprintable characters are left out.
QString Escaped(const QString& text);
// The bytes up to the first NUL, as Latin-1.
QString TextUpToNul(const QByteArray& bytes);

// Decimal with at least width digits, zero-filled ("%.2d", "%02u", "%05u").
QString Zeros(long long value, int width);
// Decimal right-aligned in width characters ("%2d", "%5d").
QString Spaces(long long value, int width);

// The table's word for a stored code; a code the table lacks shows its number.
template <std::size_t N>
QString Word(const std::array<const char*, N>& table, long long code)
{
    if (code < 0 || code >= static_cast<long long>(N))
        return QString::number(code);
    return QString::fromLatin1(table[static_cast<std::size_t>(code)]);
}

// "A" for bit 0, "B" for bit 1 ... of each set bit below count, each followed by after.
QString Letters(std::uint32_t bits, int count, const QString& before = {}, const QString& after = {});

// Big-endian numbers of a record.
std::uint64_t BigEndian(const QByteArray& record, int offset, int length);

} // namespace HtmlRows
