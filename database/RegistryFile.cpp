#include "database/RegistryFile.h"

#include "platform/Profile.h"

#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace {

const QByteArray kRegistryHeader = QByteArrayLiteral("REGEDIT4");
const QString kLineEnd = QStringLiteral("\r\n");
const QString kDwordPrefix = QStringLiteral("dword:");
constexpr int kDwordDigits = 8;
constexpr int kHexBase = 16;

QString RootKey()
{
    return QLatin1String(kProfileRegistryRoot);
}

QString KeyHeader(const QString& section)
{
    QString path = RootKey();
    if (!section.isEmpty())
        path += QLatin1Char('\\') + QString(section).replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QLatin1Char('[') + path + QLatin1Char(']') + kLineEnd;
}

// Settings are kept as text; an integer setting is told by its canonical
// decimal form, which the dword gives back unchanged.
std::optional<std::uint32_t> AsDword(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || QString::number(value) != text)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

QString ValueLine(const QString& name, const QString& value)
{
    QString line = QuoteRegistryString(name) + QLatin1Char('=');
    if (const auto dword = AsDword(value))
        line += kDwordPrefix + QStringLiteral("%1").arg(*dword, kDwordDigits, kHexBase, QLatin1Char('0'));
    else
        line += QuoteRegistryString(value);
    return line + kLineEnd;
}

QString SectionText(const QString& section)
{
    QString text = KeyHeader(section);
    for (const QString& key : Profile::Keys(section))
        text += ValueLine(key, Profile::GetString(section, key));
    return text;
}

// Reads a quoted string starting at pos (on the opening quote); pos ends past
// the closing quote.
std::optional<QString> ReadQuoted(const QString& line, qsizetype& pos)
{
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return std::nullopt;
    QString text;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return text;
        }
        if (c == QLatin1Char('\\') && pos + 1 < line.size())
            ++pos;
        text += line[pos];
    }
    return std::nullopt;
}

// The profile section of a key header, or nothing for a key outside our root.
std::optional<QString> SectionOfHeader(const QString& key)
{
    const QString root = RootKey();
    if (key.compare(root, Qt::CaseInsensitive) == 0)
        return QString();
    if (!key.startsWith(root + QLatin1Char('\\'), Qt::CaseInsensitive))
        return std::nullopt;
    const QString section = key.mid(root.size() + 1);
    const QStringList parts = section.split(QLatin1Char('\\'));
    for (const QString& part : parts) {
        if (part.isEmpty())
            return std::nullopt;
    }
    return parts.join(QLatin1Char('/'));
}

void ImportValueLine(const QString& section, const QString& line, std::vector<Profile::Value>& values)
{
    qsizetype pos = 0;
    const std::optional<QString> name = ReadQuoted(line, pos);
    if (!name || name->isEmpty() || pos >= line.size() || line[pos] != QLatin1Char('='))
        return;
    ++pos;
    if (line.mid(pos).startsWith(kDwordPrefix, Qt::CaseInsensitive)) {
        const QString digits = line.mid(pos + kDwordPrefix.size()).trimmed();
        bool ok = false;
        const std::uint32_t value = digits.toUInt(&ok, kHexBase);
        if (ok && digits.size() == kDwordDigits)
            values.push_back({section, *name, static_cast<std::int32_t>(value)});
        return;
    }
    if (const std::optional<QString> value = ReadQuoted(line, pos))
        values.push_back({section, *name, *value});
}

} // namespace

QString QuoteRegistryString(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray ExportProfileAsRegistry()
{
    QString text = QString::fromLatin1(kRegistryHeader) + kLineEnd;
    bool first = true;
    for (const QString& section : Profile::Sections()) {
        if (!first)
            text += kLineEnd;
        text += SectionText(section);
        first = false;
    }
    if (!Profile::Keys(QString()).isEmpty())
        text += kLineEnd + SectionText(QString());
    return text.toUtf8();
}

RegistryImport ImportRegistryIntoProfile(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.isEmpty() || lines.first().trimmed() != QLatin1String(kRegistryHeader))
        return RegistryImport::Unreadable;
    std::optional<QString> section;
    std::vector<Profile::Value> values;
    for (QString line : lines.mid(1)) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            section = SectionOfHeader(line.mid(1, line.size() - 2));
        else if (section && !line.isEmpty())
            ImportValueLine(*section, line, values);
    }
    return Profile::WriteValues(values) ? RegistryImport::Done : RegistryImport::NotWritten;
}
