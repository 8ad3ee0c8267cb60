#pragma once

#include "link/LinkState.h"

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


TaskMode CurrentTaskMode();
void SetTaskMode(TaskMode mode);
// The task results as start-up leaves them: every network unused, backup failed.
void ResetTaskResults();
