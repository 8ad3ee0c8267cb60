#include "database/InstallationName.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

bool IsForbiddenNameCharacter(QChar c)
{
    return c.unicode() < 128 && QByteArray(kForbiddenNameCharacters).contains(static_cast<char>(c.unicode()));
}

bool EndsWithForbiddenCharacter(const QString& text)
{
    return !text.isEmpty() && IsForbiddenNameCharacter(text.back());
}

QString ForbiddenCharacterWarning()
{
    constexpr int kIndent = 13;
    QStringList characters;
    for (const char* c = kForbiddenNameCharacters; *c; ++c)
        characters << QString(QLatin1Char(*c));
    return QStringLiteral("A filename cannot contain any of the following characters:\n") + QString(kIndent, QLatin1Char(' '))
           + characters.join(QLatin1Char(' '));
}

QString CheckFolderName(const QString& name, const QString& parent, const QString& emptyMessage)
{
    if (name.trimmed().isEmpty())
        return emptyMessage;
    for (QChar c : name) {
        if (IsForbiddenNameCharacter(c) || c.unicode() < 32)
            return ForbiddenCharacterWarning();
    }
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("\"%1\" cannot be used as a name.\n\nPlease enter another name.").arg(name);
    if (!parent.isEmpty() && QFileInfo::exists(QDir(parent).filePath(name)))
        return QStringLiteral("The folder [%1] already exists.\n\nPlease enter another name.").arg(QDir(parent).filePath(name));
    return QString();
}
