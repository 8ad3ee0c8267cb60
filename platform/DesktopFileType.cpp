#include "platform/DesktopFileType.h"

#include "platform/DurableFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamWriter>

namespace {

// Nothing at start-up waits longer than this for a cache tool.
constexpr int kToolTimeoutMs = 10000;

QString DataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString MimeFolder()
{
    return QDir(DataFolder()).filePath(QStringLiteral("mime"));
}

// One argument of an Exec line: quoted, with the characters the quotes do not
// protect escaped; a literal percent sign doubled.
QString ExecArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A desktop entry's string value: backslashes and line breaks escaped.
QString EntryValue(QString value)
{
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return value;
}

// The file holds exactly these bytes already.
bool HoldsText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == text;
}

bool WriteWhole(const QString& path, const QByteArray& text)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    return WriteWholeFile(path, text);
}

// Runs a cache tool when it is installed; a missing or failing tool leaves
// the files in place for the next refresh.
void RunTool(const QString& tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return;
    QProcess process;
    process.start(program, {folder});
    if (!process.waitForFinished(kToolTimeoutMs))
        process.kill();
    process.waitForFinished();
}

// The compiled MIME database is older than the package it must hold.
bool MimeCacheIsStale(const QString& packagePath)
{
    const QFileInfo cache(QDir(MimeFolder()).filePath(QStringLiteral("mime.cache")));
    return !cache.exists() || cache.lastModified() < QFileInfo(packagePath).lastModified();
}

} // namespace

QString DesktopEntryPath(const DesktopFileType& type)
{
    return QDir(DataFolder()).filePath(QStringLiteral("applications/") + type.entryName);
}

QString MimePackagePath(const DesktopFileType& type)
{
    QString name = type.mimeType;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QDir(MimeFolder()).filePath(QStringLiteral("packages/") + name + QStringLiteral(".xml"));
}

QByteArray DesktopEntryText(const DesktopFileType& type)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Exec=%2\n"
                                        "MimeType=%3;\n"
                                        "Terminal=false\n")
                             .arg(EntryValue(type.applicationName),
                                  EntryValue(ExecArgument(type.program) + QLatin1Char(' ') + type.openOption +
                                             QStringLiteral(" %f")),
                                  EntryValue(type.mimeType));
    return text.toUtf8();
}

QByteArray MimePackageText(const DesktopFileType& type)
{
    QByteArray text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    xml.writeStartElement(QStringLiteral("mime-info"));
    xml.writeStartElement(QStringLiteral("mime-type"));
    xml.writeAttribute(QStringLiteral("type"), type.mimeType);
    xml.writeTextElement(QStringLiteral("comment"), type.typeComment);
    xml.writeEmptyElement(QStringLiteral("glob"));
    xml.writeAttribute(QStringLiteral("pattern"), type.glob);
    xml.writeEndDocument();
    return text;
}

DesktopRegistration RegisterDesktopFileType(const DesktopFileType& type)
{
    const QString entry = DesktopEntryPath(type);
    const QString package = MimePackagePath(type);
    const QByteArray entryText = DesktopEntryText(type);
    const QByteArray packageText = MimePackageText(type);
    const bool entryCurrent = HoldsText(entry, entryText);
    const bool packageCurrent = HoldsText(package, packageText);
    if (!entryCurrent && !WriteWhole(entry, entryText))
        return DesktopRegistration::Failed;
    if (!packageCurrent && !WriteWhole(package, packageText))
        return DesktopRegistration::Failed;
    if (!packageCurrent || MimeCacheIsStale(package))
        RunTool(QStringLiteral("update-mime-database"), MimeFolder());
    if (!entryCurrent)
        RunTool(QStringLiteral("update-desktop-database"), QFileInfo(entry).path());
    return entryCurrent && packageCurrent ? DesktopRegistration::UpToDate : DesktopRegistration::Written;
}
