#include "app/TaskSchedulerLog.h"

#include "app/TaskLogMessageBoxes.h"
#include "link/NetRunResults.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QLocale>

namespace TaskSchedulerLog {

namespace {

QString Stamp(const QDateTime& now)
{
    // Month names stay English whatever the machine's language.
    return QLocale::c().toString(now, QStringLiteral("MMMM dd, yyyy HH:mm"));
}

QByteArray ToFileText(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.toUtf8();
}

QString NetworkLines(const std::array<int, kTaskNetworkCount>& results, const NetReasonLines& reasons,
                     bool runFailed, const NetReasonLines& notes, const char* passed, const char* failed)
{
    QString text;
    for (int net = 0; net < kTaskNetworkCount; ++net) {
        const QChar letter(u'A' + net);
        const QString note = TaskLogMessageBoxes::AsLogLine(notes[static_cast<std::size_t>(net)]);
        if (!note.isEmpty() && results[net] != kTaskNetUnused)
            text += QLatin1Char('\n') + note;
        if (results[net] == kTaskNetPassed && !runFailed) {
            text += QString::fromLatin1(passed).arg(letter);
        } else if (results[net] == kTaskNetPassed || results[net] == kTaskNetFailed) {
            const QString reason = results[net] == kTaskNetPassed
                                       ? QString::fromLatin1(kRunFailedReason)
                                       : TaskLogMessageBoxes::AsLogLine(reasons[static_cast<std::size_t>(net)]);
            if (!reason.isEmpty())
                text += QLatin1Char('\n') + reason;
            text += QString::fromLatin1(failed).arg(letter);
        }
    }
    return text;
}

} // namespace

QString FilePath()
{
    return ProgramFolder() + QStringLiteral("/TaskSchedulerLog.txt");
}

QString StartLine(TaskMode mode, const QDateTime& now, const QString& installation)
{
    const char* format = mode == TaskMode::Backup    ? "\n\n%1 Start-auto backup for %2"
                         : mode == TaskMode::SetTime ? "\n\n%1 Start-auto time set for %2"
                                                     : "\n\n%1 Start auto-update for %2";
    return QString::fromLatin1(format).arg(Stamp(now), installation);
}

QString ResultLines(TaskMode mode, const std::array<int, kTaskNetworkCount>& netResults, int backupResult,
                    const NetReasonLines& reasons, bool runFailed, const NetReasonLines& notes)
{
    switch (mode) {
    case TaskMode::Update:
        return NetworkLines(netResults, reasons, runFailed, notes, "\nNet %1 passed.", "\nNet %1 failed.");
    case TaskMode::SetTime:
        return NetworkLines(netResults, reasons, runFailed, notes, "\nNet %1 time set.", "\nNet %1 set time failed.");
    case TaskMode::Backup:
        return backupResult == 1 && !runFailed ? QStringLiteral("\nAuto-backup passed.")
                                               : QStringLiteral("\nAuto-backup failed.");
    case TaskMode::None:
        break;
    }
    return QString();
}

namespace {
NetReasonLines LinesOfEachNetwork(QString (*lineOf)(int net))
{
    NetReasonLines lines;
    for (int net = 1; net <= kTaskNetworkCount; ++net)
        lines[static_cast<std::size_t>(net - 1)] = lineOf(net);
    return lines;
}
} // namespace

NetReasonLines NetReasons()
{
    return LinesOfEachNetwork(&NetRunResults::ReasonLine);
}

NetReasonLines NetNotes()
{
    return LinesOfEachNetwork(&NetRunResults::NoteLine);
}

QString EndLine(TaskMode mode, const QDateTime& now, const QString& installation)
{
    const char* format = mode == TaskMode::Backup    ? "\n%1 End auto-backup for %2"
                         : mode == TaskMode::SetTime ? "\n%1 End-auto time set for %2"
                                                     : "\n%1 End auto-update for %2";
    return QString::fromLatin1(format).arg(Stamp(now), installation);
}

bool WriteStart(const QString& path, const QString& startLine)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QString first = QString::fromLatin1(file.readLine()).trimmed();
    QByteArray text;
    // The header goes at the end, never over what the log already holds.
    if (first.compare(QLatin1String(kHeader), Qt::CaseInsensitive) != 0)
        text += ToFileText(QString::fromLatin1(kHeader));
    text += ToFileText(startLine);
    return file.seek(file.size()) && file.write(text) == text.size();
}

bool Append(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = ToFileText(text);
    return file.write(bytes) == bytes.size();
}

} // namespace TaskSchedulerLog
