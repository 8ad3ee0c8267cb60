#include "image/HtmlRows.h"

namespace {
const char* const kHeadingColour = "#A8C8F7";

bool IsConversion(QChar c)
{
    return c == u's' || c == u'd' || c == u'u' || c == u'c' || c == u'x';
}
} // namespace

QString HtmlRows::HeaderRow(const QStringList& headings)
{
    QString row = QStringLiteral("<tr bgColor=") + QLatin1String(kHeadingColour) + QStringLiteral(">");
    for (const QString& heading : headings) {
        if (heading.isEmpty())
            row += QStringLiteral("<td bgColor=white>&nbsp;</td>");
        else
            row += QStringLiteral("<td align=center><b>") + heading + QStringLiteral("</b></td>");
    }
    return row + QStringLiteral("</tr>");
}

QString HtmlRows::RowStart()
{
    return QStringLiteral("<tr>");
}

QString HtmlRows::Fill(const char* pattern, std::initializer_list<QString> args)
{
    const QString format = QString::fromLatin1(pattern);
    QString text;
    auto arg = args.begin();
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 >= format.size()) {
            text += format[i];
            continue;
        }
        if (format[i + 1] == u'%') {
            text += u'%';
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < format.size() && !IsConversion(format[end]))
            ++end;
        if (end < format.size() && arg != args.end())
            text += *arg++;
        i = end;
    }
    return text;
}

QString HtmlRows::Escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\'':
            out += QStringLiteral("\\'");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        default:
            if (c.isPrint())
                out += c;
            break;
        }
    }
    return out;
}

QString HtmlRows::TextUpToNul(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return QString::fromLatin1(nul < 0 ? bytes : bytes.left(nul));
}

QString HtmlRows::Zeros(long long value, int width)
{
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(width, u'0');
    return value < 0 ? QStringLiteral("-") + digits : digits;
}

QString HtmlRows::Spaces(long long value, int width)
{
    return QString::number(value).rightJustified(width, u' ');
}

QString HtmlRows::Letters(std::uint32_t bits, int count, const QString& before, const QString& after)
{
    QString text;
    for (int bit = 0; bit < count; ++bit) {
        if (bits & (1u << bit))
            text += before + QChar(u'A' + bit) + after;
    }
    return text;
}

std::uint64_t HtmlRows::BigEndian(const QByteArray& record, int offset, int length)
{
    std::uint64_t value = 0;
    for (int i = 0; i < length; ++i)
        value = value << 8 | static_cast<std::uint8_t>(record[offset + i]);
    return value;
}
