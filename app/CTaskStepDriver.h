#pragma once

class QObject;

// Hands the steps of a scheduled task, one at a time, to the communication
// form, paced by idle calls of the event loop, and closes the main window when
// the last step is done. Also starts a programming run the operator deferred
// until the queue emptied.
class CTaskStepDriver
{
public:
    // Steps are paced by at least this many idle calls each.
    static constexpr int kIdleCallsPerStep = 6;

    // One idle call. The main window receives WM_CLOSE at the end of a task.
    void OnIdle(QObject* mainWindow);
    void Reset() { m_idleCounter = 0; }
    int IdleCounter() const { return m_idleCounter; }

private:
    // True when a step may be considered now; resets the counter when it does.
    bool Due();
    void DriveUpdateOrSetTime(QObject* mainWindow, int& lastStep, unsigned lastMessage);
    void DriveBackup(QObject* mainWindow);
    void DriveDeferredProgramming();

    int m_idleCounter = 0;
};
