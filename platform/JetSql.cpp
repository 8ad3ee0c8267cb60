#include "platform/JetSql.h"

#include "platform/DatabaseException.h"
#include "platform/OleDate.h"

#include <QDate>
#include <QTimeZone>
#include <QRegularExpression>
#include <QStringList>

#include <vector>

namespace
{
enum class TokenKind { Name, Word, Number, String, Date, Symbol };

struct Token
{
    TokenKind kind;
    QString text; // a name without brackets, a string's value, a word upper-cased
};

constexpr int kPivotYear = 30; // two-digit years below it are 20xx, as Jet reads them
constexpr int kCenturyBelowPivot = 2000;
constexpr int kCenturyFromPivot = 1900;

[[noreturn]] void Fail(const QString& text, const QString& why)
{
    throw DatabaseException(JetError::SyntaxError, QStringLiteral("%1 in query expression '%2'.").arg(why, text));
}

bool IsNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

std::vector<Token> Tokenize(const QString& text)
{
    std::vector<Token> tokens;
    int i = 0;
    const int n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const int end = text.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0)
                Fail(text, QStringLiteral("Unclosed bracket"));
            tokens.push_back({TokenKind::Name, text.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            // A doubled quote inside the literal stands for one quote.
            QString value;
            int j = i + 1;
            for (;; ++j) {
                if (j >= n)
                    Fail(text, QStringLiteral("Unclosed string"));
                if (text[j] == c) {
                    if (j + 1 < n && text[j + 1] == c) {
                        value += c;
                        ++j;
                        continue;
                    }
                    break;
                }
                value += text[j];
            }
            tokens.push_back({TokenKind::String, value});
            i = j + 1;
        } else if (c == QLatin1Char('#')) {
            const int end = text.indexOf(QLatin1Char('#'), i + 1);
            if (end < 0)
                Fail(text, QStringLiteral("Unclosed date"));
            tokens.push_back({TokenKind::Date, text.mid(i + 1, end - i - 1).trimmed()});
            i = end + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && text[i + 1].isDigit())) {
            static const QRegularExpression number(QStringLiteral("\\G\\d*\\.?\\d*(?:[eE][+-]?\\d+)?"));
            const auto match = number.match(text, i);
            tokens.push_back({TokenKind::Number, match.captured()});
            i += match.capturedLength();
            if (i < n && IsNameChar(text[i]))
                Fail(text, QStringLiteral("Malformed number"));
        } else if (IsNameStart(c)) {
            int j = i;
            while (j < n && IsNameChar(text[j]))
                ++j;
            tokens.push_back({TokenKind::Word, text.mid(i, j - i)});
            i = j;
        } else {
            static const QStringList symbols = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">="),
                                                QStringLiteral("="),  QStringLiteral("<"),  QStringLiteral(">"),
                                                QStringLiteral("+"),  QStringLiteral("-"),  QStringLiteral("*"),
                                                QStringLiteral("/"),  QStringLiteral("("),  QStringLiteral(")"),
                                                QStringLiteral(","),  QStringLiteral("&"),  QStringLiteral(".")};
            bool found = false;
            for (const QString& symbol : symbols) {
                if (text.mid(i, symbol.size()) == symbol) {
                    tokens.push_back({TokenKind::Symbol, symbol});
                    i += symbol.size();
                    found = true;
                    break;
                }
            }
            if (!found)
                Fail(text, QStringLiteral("Unknown character '%1'").arg(c));
        }
    }
    return tokens;
}

QString SqlString(const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

int FullYear(int year, int digits)
{
    if (digits > 2)
        return year;
    return year + (year < kPivotYear ? kCenturyBelowPivot : kCenturyFromPivot);
}

double DateLiteral(const QString& text, const QString& body)
{
    static const QRegularExpression usDate(QStringLiteral(
        "^(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?(?:\\s*([AaPp][Mm]))?)?$"));
    const auto match = usDate.match(body);
    if (!match.hasMatch())
        Fail(text, QStringLiteral("Unknown date #%1#").arg(body));
    const QString yearText = match.captured(3);
    const QDate date(FullYear(yearText.toInt(), static_cast<int>(yearText.size())), match.captured(1).toInt(),
                     match.captured(2).toInt());
    int hour = match.captured(4).toInt();
    const QString half = match.captured(7).toUpper();
    if (!half.isEmpty()) {
        constexpr int kHalfDay = 12;
        if (hour < 1 || hour > kHalfDay)
            Fail(text, QStringLiteral("Invalid time in #%1#").arg(body));
        hour = hour % kHalfDay + (half == QLatin1String("PM") ? kHalfDay : 0);
    }
    const QTime time(hour, match.captured(5).toInt(), match.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        Fail(text, QStringLiteral("Invalid date #%1#").arg(body));
    return ToOleDate(QDateTime(date, time, QTimeZone::utc()));
}

// Jet's * and ? become % and _; a literal % or _ is escaped so that it keeps
// matching only itself. Character lists and # have no counterpart.
QString LikePattern(const QString& text, const QString& pattern, bool& needsEscape)
{
    QString out;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*'))
            out += QLatin1Char('%');
        else if (c == QLatin1Char('?'))
            out += QLatin1Char('_');
        else if (c == QLatin1Char('[') || c == QLatin1Char('#'))
            Fail(text, QStringLiteral("Unsupported LIKE pattern \"%1\"").arg(pattern));
        else if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
            out += c;
            needsEscape = true;
        } else
            out += c;
    }
    return out;
}

enum class Mode { Criteria, Sort };

// A literal of the criterion: written into the text, or, with values given,
// a parameter whose value is collected in order.
QString Literal(const QVariant& value, const QString& written, std::vector<QVariant>* values)
{
    if (!values)
        return written;
    values->push_back(value);
    return QStringLiteral("?");
}

// An empty literal is an empty text, never a null.
QVariant TextValue(const QString& text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariant NumberValue(const QString& number)
{
    bool whole = false;
    const qint64 integer = number.toLongLong(&whole);
    return whole ? QVariant(integer) : QVariant(number.toDouble());
}

QString Translate(const QString& text, const std::vector<Token>& tokens, size_t first, size_t last, Mode mode,
                  std::vector<QVariant>* values = nullptr)
{
    static const QStringList keywords = {QStringLiteral("AND"), QStringLiteral("OR"),      QStringLiteral("NOT"),
                                         QStringLiteral("LIKE"), QStringLiteral("IN"),     QStringLiteral("BETWEEN"),
                                         QStringLiteral("IS"),  QStringLiteral("NULL")};
    QStringList out;
    for (size_t i = first; i < last; ++i) {
        const Token& token = tokens[i];
        switch (token.kind) {
        case TokenKind::Name:
            out << QLatin1Char('[') + token.text + QLatin1Char(']');
            break;
        case TokenKind::Number:
            out << Literal(NumberValue(token.text), token.text, values);
            break;
        case TokenKind::String:
            out << Literal(TextValue(token.text), SqlString(token.text), values);
            break;
        case TokenKind::Date: {
            const double date = DateLiteral(text, token.text);
            out << Literal(date, JetSql::FormatNumber(date), values);
            break;
        }
        case TokenKind::Symbol:
            if (token.text == QLatin1String("&"))
                out << QStringLiteral("||");
            else
                out << token.text;
            break;
        case TokenKind::Word: {
            const QString word = token.text.toUpper();
            if (word == QLatin1String("TRUE")) {
                out << QStringLiteral("-1");
            } else if (word == QLatin1String("FALSE")) {
                out << QStringLiteral("0");
            } else if (word == QLatin1String("NOT") && mode == Mode::Sort) {
                out << QStringLiteral("~");
            } else if (word == QLatin1String("ASC") || word == QLatin1String("DESC")) {
                if (mode != Mode::Sort)
                    Fail(text, QStringLiteral("%1 outside a sort").arg(token.text));
                out << word;
            } else if (word == QLatin1String("LIKE") && mode == Mode::Criteria) {
                if (i + 1 >= last
                    || (tokens[i + 1].kind != TokenKind::String && tokens[i + 1].kind != TokenKind::Number))
                    Fail(text, QStringLiteral("LIKE without a pattern"));
                bool needsEscape = false;
                const QString pattern = LikePattern(text, tokens[++i].text, needsEscape);
                out << word << Literal(TextValue(pattern), SqlString(pattern), values);
                if (needsEscape)
                    out << QStringLiteral("ESCAPE '\\'");
            } else if (keywords.contains(word) && mode == Mode::Criteria) {
                out << word;
            } else if (i + 1 < last && tokens[i + 1].kind == TokenKind::Symbol && tokens[i + 1].text == QLatin1String("(")) {
                Fail(text, QStringLiteral("Unknown function %1").arg(token.text));
            } else if (keywords.contains(word) || word == QLatin1String("SELECT") || word == QLatin1String("FROM")
                       || word == QLatin1String("WHERE") || word == QLatin1String("ORDER")) {
                Fail(text, QStringLiteral("Unexpected %1").arg(token.text));
            } else {
                out << QLatin1Char('[') + token.text + QLatin1Char(']');
            }
            break;
        }
        }
    }
    return out.join(QLatin1Char(' '));
}

bool IsWord(const Token& token, const char* word)
{
    return token.kind == TokenKind::Word && token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QString TranslateAll(const QString& text, Mode mode)
{
    const std::vector<Token> tokens = Tokenize(text);
    return Translate(text, tokens, 0, tokens.size(), mode);
}
} // namespace

namespace JetSql
{
QString TranslateCriteria(const QString& criteria)
{
    return TranslateAll(criteria, Mode::Criteria);
}

BoundCriteria TranslateBoundCriteria(const QString& criteria)
{
    const std::vector<Token> tokens = Tokenize(criteria);
    BoundCriteria bound;
    bound.condition = Translate(criteria, tokens, 0, tokens.size(), Mode::Criteria, &bound.values);
    return bound;
}

QString TranslateSort(const QString& sort)
{
    return TranslateAll(sort, Mode::Sort);
}

Select ParseSelect(const QString& sql)
{
    const std::vector<Token> tokens = Tokenize(sql);
    Select select;
    const auto isName = [](const Token& token) { return token.kind == TokenKind::Name || token.kind == TokenKind::Word; };
    if (tokens.size() == 1 && isName(tokens[0])) {
        select.table = tokens[0].text;
        return select;
    }
    constexpr size_t kTableToken = 3;
    if (tokens.size() <= kTableToken || !IsWord(tokens[0], "SELECT") || tokens[1].text != QLatin1String("*")
        || !IsWord(tokens[2], "FROM") || !isName(tokens[kTableToken]))
        Fail(sql, QStringLiteral("Unsupported query"));
    select.table = tokens[kTableToken].text;
    size_t where = tokens.size();
    size_t order = tokens.size();
    int depth = 0;
    for (size_t i = kTableToken + 1; i < tokens.size(); ++i) {
        if (tokens[i].kind == TokenKind::Symbol && tokens[i].text == QLatin1String("("))
            ++depth;
        else if (tokens[i].kind == TokenKind::Symbol && tokens[i].text == QLatin1String(")"))
            --depth;
        else if (depth == 0 && IsWord(tokens[i], "WHERE") && where == tokens.size() && order == tokens.size())
            where = i;
        else if (depth == 0 && IsWord(tokens[i], "ORDER") && i + 1 < tokens.size() && IsWord(tokens[i + 1], "BY"))
            order = i;
    }
    const size_t tableEnd = std::min(where, order);
    if (tableEnd != kTableToken + 1)
        Fail(sql, QStringLiteral("Unsupported query"));
    if (where < tokens.size())
        select.where = Translate(sql, tokens, where + 1, order, Mode::Criteria);
    if (order < tokens.size())
        select.orderBy = Translate(sql, tokens, order + 2, tokens.size(), Mode::Sort);
    return select;
}

QString QuoteText(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString FormatNumber(double value)
{
    constexpr int kRoundTripDigits = 17;
    return QString::number(value, 'g', kRoundTripDigits);
}
} // namespace JetSql
