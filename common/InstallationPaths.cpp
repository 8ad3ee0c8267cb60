#include "common/InstallationPaths.h"

#include "platform/ProgramFolder.h"

#include <iterator>

namespace {

struct PathRule
{
    bool inInstallation;
    const char* subFolder;
};

// Indexed by PathKind; the reflasher is handled apart.
constexpr PathRule kPathRules[] = {
    {false, "Installations"},
    {false, nullptr},
    {true, nullptr},
    {true, "NetCommands"},
    {true, "Vestrels"},
    {true, "Last Programmed On Net"},
    {true, "Event Logs"},
    {true, "Database"},
    {false, "New Installation"},
    {false, "HTML"},
    {true, "Backups"},
    {false, "Database"},
    {true, "Vestrels"},
};

} // namespace

QString InstallationPaths::BuildPath(int kind, const QString& name, const QString& installationFolder)
{
    if (kind == kReflasher)
        return ProgramFolder() + QStringLiteral("/Reflashers/Reflasher.exe");
    if (kind < 0 || kind >= static_cast<int>(std::size(kPathRules)))
        return QString();
    const PathRule& rule = kPathRules[kind];
    QString path = rule.inInstallation ? installationFolder : ProgramFolder();
    if (rule.subFolder)
        path += QLatin1Char('/') + QLatin1String(rule.subFolder);
    return path + QLatin1Char('/') + name;
}

bool InstallationPaths::IsPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.startsWith(QLatin1Char('.')) && !name.contains(QChar(u'\0'));
}
