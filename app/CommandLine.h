#pragma once

#include "app/TaskState.h"

#include <QString>
#include <QStringList>

// What the command line asks of a run: at most one parameter, compared without
// regard to case.
struct CommandLineRequest
{
    TaskMode mode = TaskMode::None;
    bool explicitSwitch = false;
    bool minimised = false;
    bool showUsage = false;
    // A named installation, relative to the Installations folder.
    QString installationName;
    // The parameter as given; empty without one.
    QString parameter;
};

// The parameters after the program's own name. Switches ("-..." and "/...")
// are skipped; the first other parameter is the one that counts.
CommandLineRequest ParseCommandLine(const QStringList& parameters);

// The installation file a named update refers to, confined to the
// Installations folder: backslashes are separators, and an absolute name or one
// that climbs out with ".." gives an empty result.
QString ResolveNamedInstallation(const QString& installationsFolder, const QString& name);

// The usage message of a bad parameter.
QString UsageText();
