#pragma once

#include <array>

class QObject;

// Scheduled-task run state shared by start-up, the idle driver, the
// communication form and the exit. User-interface thread only.

enum class TaskMode { None, Update, Backup, SetTime };

// Step states.
inline constexpr int kStepNotStarted = 0;
inline constexpr int kStepPosted = 1;
inline constexpr int kStepDone = 2;
// wParam of the backup step when the scheduled task posts it (0: the operator asked).
inline constexpr unsigned kBackupFromTask = 1;

// Per-network results of a task run.
inline constexpr int kTaskNetUnused = -1;
inline constexpr int kTaskNetPassed = 1;
inline constexpr int kTaskNetFailed = 2;
inline constexpr int kTaskNetworkCount = 8;

extern int TaskModeUpdate;
extern int TaskModeBackup;
extern int TaskModeSetTime;

extern int TaskStepProgram;
extern int TaskStepSend;
extern int TaskStepEventLogs;
extern int TaskStepSetTime;
extern int TaskStepBackup;

// The communication form registers itself here; steps are posted only when set.
extern QObject* TaskTargetWindow;
// A programming run waits for the queue to empty.
extern int ProgramAfterQueue;

extern std::array<int, kTaskNetworkCount> TaskNetResult;
extern int TaskBackupResult;

// F9: nothing may be sent; the link shows its negative-acknowledgement count.
extern int TestMode;
// Set by the programming run from its start to its end, so the main window
// cannot close half-way through it.
extern int ProgrammingRunActive;

TaskMode CurrentTaskMode();
void SetTaskMode(TaskMode mode);
// The task results as start-up leaves them: every network unused, backup failed.
void ResetTaskResults();
