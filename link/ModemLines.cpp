#include "link/ModemLines.h"

#include "platform/Profile.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Modem Lines");

QString DeviceKey(int id)
{
    return QStringLiteral("Line%1 Device").arg(id);
}

QString NameKey(int id)
{
    return QStringLiteral("Line%1 Name").arg(id);
}

} // namespace

namespace ModemLines {

std::vector<ModemLineSetting> Load()
{
    static const QRegularExpression deviceKey(QStringLiteral("^Line(\\d{1,2}) Device$"),
                                              QRegularExpression::CaseInsensitiveOption);
    std::vector<ModemLineSetting> lines;
    for (const QString& key : Profile::Keys(kSection)) {
        const QRegularExpressionMatch match = deviceKey.match(key);
        if (!match.hasMatch())
            continue;
        ModemLineSetting line;
        line.id = match.captured(1).toInt();
        if (line.id >= kMaxLines)
            continue;
        line.device = Profile::GetString(kSection, key).trimmed();
        if (line.device.isEmpty())
            continue;
        line.name = Profile::GetString(kSection, NameKey(line.id)).trimmed();
        if (line.name.isEmpty())
            line.name = line.device;
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end(), [](const ModemLineSetting& a, const ModemLineSetting& b) { return a.id < b.id; });
    return lines;
}

void Save(const std::vector<ModemLineSetting>& lines)
{
    for (const QString& key : Profile::Keys(kSection))
        Profile::RemoveKey(kSection, key);
    for (const ModemLineSetting& line : lines) {
        if (line.device.trimmed().isEmpty())
            continue;
        Profile::WriteString(kSection, DeviceKey(line.id), line.device.trimmed());
        Profile::WriteString(kSection, NameKey(line.id), line.name.trimmed());
    }
}

int DeviceCount(const std::vector<ModemLineSetting>& lines)
{
    return lines.empty() ? 0 : lines.back().id + 1;
}

std::optional<ModemLineSetting> Find(const std::vector<ModemLineSetting>& lines, int id)
{
    const auto line = std::find_if(lines.begin(), lines.end(), [id](const ModemLineSetting& l) { return l.id == id; });
    if (line == lines.end())
        return std::nullopt;
    return *line;
}

} // namespace ModemLines
