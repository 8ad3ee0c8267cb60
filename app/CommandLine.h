#pragma once

#include "app/TaskState.h"

#include <QString>
#include <QStringList>

// The desktop opens an installation file with this option followed by the
// file: an interactive run on that installation, never a task.
inline constexpr char kOpenOption[] = "--open";

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
    // The installation file given with the open option; empty without one.
    QString openFile;
};

// The parameters after the program's own name. The open option takes the
// parameter after it (the option alone is a plain start); other switches
// ("-..." and "/...") are skipped; the first other parameter is the one that
// counts. A task parameter beside an opened file shows the usage.
CommandLineRequest ParseCommandLine(const QStringList& parameters);

// The installation file a named update refers to, confined to the
// Installations folder: backslashes are separators, and an absolute name or one
// that climbs out with ".." gives an empty result.
QString ResolveNamedInstallation(const QString& installationsFolder, const QString& name);

// The usage message of a bad parameter.
QString UsageText();
