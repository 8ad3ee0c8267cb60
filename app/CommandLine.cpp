#include "app/CommandLine.h"

#include <QDir>

namespace {

// A named installation is anything this long or longer.
constexpr int kMinInstallationNameLength = 6;

struct Switch
{
    const char* text;
    TaskMode mode;
    bool minimised;
};

constexpr Switch kSwitches[] = {
    {"\\A", TaskMode::Update, false},  {"\\B", TaskMode::Backup, false}, {"\\T", TaskMode::SetTime, false},
    {"\\AM", TaskMode::Update, true},  {"\\BM", TaskMode::Backup, true}, {"\\TM", TaskMode::SetTime, true},
};

// "/x" and "-x" are switches, not the parameter: the task switches start with a backslash.
bool IsSwitch(const QString& parameter)
{
    return parameter.startsWith(QLatin1Char('-')) || parameter.startsWith(QLatin1Char('/'));
}

} // namespace

CommandLineRequest ParseCommandLine(const QStringList& parameters)
{
    CommandLineRequest request;
    QString parameter;
    for (qsizetype i = 0; i < parameters.size(); ++i) {
        const QString& p = parameters[i];
        if (p == QLatin1String(kOpenOption)) {
            // A path, which may well begin with '/'.
            request.openFile = parameters.value(++i);
        } else if (parameter.isEmpty() && !IsSwitch(p)) {
            parameter = p;
        }
    }
    if (parameter.isEmpty())
        return request;
    if (!request.openFile.isEmpty()) {
        request.showUsage = true;
        return request;
    }
    request.parameter = parameter;
    for (const Switch& s : kSwitches) {
        if (parameter.compare(QLatin1String(s.text), Qt::CaseInsensitive) == 0) {
            request.mode = s.mode;
            request.explicitSwitch = true;
            request.minimised = s.minimised;
            return request;
        }
    }
    if (parameter.size() >= kMinInstallationNameLength) {
        request.mode = TaskMode::Update;
        request.installationName = parameter;
        return request;
    }
    request.showUsage = true;
    return request;
}

QString ResolveNamedInstallation(const QString& installationsFolder, const QString& name)
{
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (relative.isEmpty() || QDir::isAbsolutePath(relative) || relative.startsWith(QLatin1Char('/')))
        return QString();
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.contains(QStringLiteral("..")))
        return QString();
    return QDir::cleanPath(installationsFolder + QLatin1Char('/') + parts.join(QLatin1Char('/')));
}

QString UsageText()
{
    return QStringLiteral("INVALID COMMAND LINE ARGUMENT IN TASK SHCHEDULER\n\nValid Formats:\n\n%1\n\n%2\n\n%3\n\n\tOR\n\n%4\n%5")
        .arg(QStringLiteral("\\B   -  to autorun Backup"), QStringLiteral("\\A   -  to auto-update the default installation"),
             QStringLiteral("\\T   -  to auto-set time to the default installation"),
             QStringLiteral("\"<folder>\\<wfi filename>\"\n\nFor example, \" DemoInstallation\\DemoInstallation.wfi\""),
             QStringLiteral("NOTE: The double quotes must be included."));
}
