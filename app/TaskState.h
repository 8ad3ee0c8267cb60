#pragma once

#include "link/LinkState.h"

#include <QString>

#include <vector>

class QObject;

// Scheduled-task run state shared by start-up, the idle driver, the
// communication form and the exit. User-interface thread only.

enum class TaskMode { None, Update, Backup, SetTime };

// wParam of the backup step when the scheduled task posts it (0: the operator asked).
inline constexpr unsigned kBackupFromTask = 1;

extern int TaskModeUpdate;
extern int TaskModeBackup;
extern int TaskModeSetTime;

// The communication form registers itself here; steps are posted only when set.
extern QObject* TaskTargetWindow;

extern int TaskBackupResult;
// Set when a scheduled run met a failure that no network's or backup's
// result records (a file it could not write): the run then fails.
extern int TaskRunFailed;


TaskMode CurrentTaskMode();
void SetTaskMode(TaskMode mode);
// The task results as start-up leaves them: every network unused, backup failed.
void ResetTaskResults();
// Records a failure of the running task: the networks given (those of a
// programming run that could not store its commands) are marked failed for
// the reason, and the run fails.
void NoteTaskFailure(const std::vector<int>& networks = {}, const QString& reason = {});
