#include "platform/PrivateProfile.h"

#include "platform/DurableFiles.h"

#include <QFile>
#include <QStringDecoder>

#include <limits>

namespace {

// Files written by older copies hold one byte per character; a file that is
// not valid UTF-8 is one of them.
QString Decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QString StripQuotes(const QString& value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// A read trims a value and takes one pair of quotes off it, as Windows
// does: a value that would not read back as it stands (quotes or blanks of
// its own at an end) is written inside one more pair.
QString StoredValue(const QString& value)
{
    return StripQuotes(value.trimmed()) == value ? value : QLatin1Char('"') + value + QLatin1Char('"');
}

struct IniLines
{
    QStringList lines;

    static IniLines Load(const QString& file)
    {
        IniLines ini;
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return ini;
        const QString text = Decode(f.readAll());
        ini.lines = text.split(QLatin1Char('\n'));
        for (QString& line : ini.lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
        }
        if (!ini.lines.isEmpty() && ini.lines.last().isEmpty())
            ini.lines.removeLast();
        return ini;
    }

    bool Save(const QString& file) const
    {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += line.toUtf8() + "\r\n";
        return WriteWholeFile(file, bytes);
    }

    // False when nothing changed.
    bool Set(const QString& section, const QString& key, const std::optional<QString>& value)
    {
        const QString stored = value ? StoredValue(*value) : QString();
        const QString line = value ? key + QLatin1Char('=') + stored : QString();
        const qsizetype header = FindSection(section);
        if (header < 0) {
            if (!value)
                return false;
            lines << QLatin1Char('[') + section + QLatin1Char(']') << line;
            return true;
        }
        const qsizetype at = FindKey(header, key);
        if (at >= 0) {
            if (value) // the key keeps the spelling it already has
                lines[at] = KeyValue(lines[at])->first + QLatin1Char('=') + stored;
            else
                lines.removeAt(at);
            return true;
        }
        if (!value)
            return false;
        // A new key goes after the section's last non-blank line.
        qsizetype insertAt = SectionEnd(header);
        while (insertAt > header + 1 && lines[insertAt - 1].trimmed().isEmpty())
            --insertAt;
        lines.insert(insertAt, line);
        return true;
    }

    static std::optional<QString> SectionName(const QString& line)
    {
        const QString t = line.trimmed();
        if (!t.startsWith(QLatin1Char('[')))
            return std::nullopt;
        const qsizetype end = t.indexOf(QLatin1Char(']'));
        if (end < 0)
            return std::nullopt;
        return t.mid(1, end - 1).trimmed();
    }

    static bool SameName(const QString& a, const QString& b)
    {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }

    // Index of the section's header line, or -1.
    qsizetype FindSection(const QString& section) const
    {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const auto name = SectionName(lines[i]);
            if (name && SameName(*name, section))
                return i;
        }
        return -1;
    }

    // One past the section's last line.
    qsizetype SectionEnd(qsizetype header) const
    {
        qsizetype i = header + 1;
        while (i < lines.size() && !SectionName(lines[i]))
            ++i;
        return i;
    }

    static std::optional<std::pair<QString, QString>> KeyValue(const QString& line)
    {
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1Char(';')))
            return std::nullopt;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            return std::nullopt;
        return std::make_pair(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }

    qsizetype FindKey(qsizetype header, const QString& key) const
    {
        const qsizetype end = SectionEnd(header);
        for (qsizetype i = header + 1; i < end; ++i) {
            const auto kv = KeyValue(lines[i]);
            if (kv && SameName(kv->first, key))
                return i;
        }
        return -1;
    }
};

} // namespace

namespace PrivateProfile {

QString GetString(const QString& section, const QString& key, const QString& defaultValue,
                  const QString& file)
{
    const IniLines ini = IniLines::Load(file);
    const qsizetype header = ini.FindSection(section);
    if (header < 0)
        return defaultValue;
    const qsizetype at = ini.FindKey(header, key);
    if (at < 0)
        return defaultValue;
    return StripQuotes(IniLines::KeyValue(ini.lines[at])->second);
}

int GetInt(const QString& section, const QString& key, int defaultValue, const QString& file)
{
    const QString value = GetString(section, key, QString(), file);
    if (value.isEmpty())
        return defaultValue;
    qsizetype i = 0;
    bool negative = false;
    if (value[0] == QLatin1Char('-') || value[0] == QLatin1Char('+')) {
        negative = value[0] == QLatin1Char('-');
        ++i;
    }
    qint64 result = 0;
    for (; i < value.size() && value[i].isDigit() && value[i].unicode() < 128; ++i) {
        result = result * 10 + (value[i].unicode() - '0');
        if (result > std::numeric_limits<int>::max())
            result = std::numeric_limits<int>::max();
    }
    return static_cast<int>(negative ? -result : result);
}

QStringList GetKeys(const QString& section, const QString& file)
{
    const IniLines ini = IniLines::Load(file);
    QStringList keys;
    const qsizetype header = ini.FindSection(section);
    if (header < 0)
        return keys;
    const qsizetype end = ini.SectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (const auto kv = IniLines::KeyValue(ini.lines[i]))
            keys << kv->first;
    }
    return keys;
}

bool WriteString(const QString& section, const QString& key, const std::optional<QString>& value,
                 const QString& file)
{
    return WriteStrings({{section, key, value}}, file);
}

bool WriteStrings(const std::vector<Entry>& entries, const QString& file)
{
    IniLines ini = IniLines::Load(file);
    bool changed = false;
    for (const Entry& entry : entries)
        changed = ini.Set(entry.section, entry.key, entry.value) || changed;
    return !changed || ini.Save(file);
}

bool DeleteSection(const QString& section, const QString& file)
{
    IniLines ini = IniLines::Load(file);
    const qsizetype header = ini.FindSection(section);
    if (header < 0)
        return true;
    ini.lines.remove(header, ini.SectionEnd(header) - header);
    return ini.Save(file);
}

} // namespace PrivateProfile
