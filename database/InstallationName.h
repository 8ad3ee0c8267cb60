#pragma once

#include <QChar>
#include <QString>

// Installation and backup names become folder names, so they are checked as
// a whole before anything is made from them.

// The characters a file name cannot hold, in the order the warning lists them.
inline constexpr char kForbiddenNameCharacters[] = "\\/:*?\"<>|";

bool IsForbiddenNameCharacter(QChar c);
// True when the text's last character is one a file name cannot hold.
bool EndsWithForbiddenCharacter(const QString& text);

// The warning shown when a forbidden character is typed.
QString ForbiddenCharacterWarning();

// The message to show for a name that cannot become a folder in parent, or
// an empty text when it can. An empty parent skips the check for an existing
// folder. emptyMessage is the text for a name with nothing in it.
QString CheckFolderName(const QString& name, const QString& parent, const QString& emptyMessage);
