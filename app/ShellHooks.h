#pragma once

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

// What the shell calls in subsystems built after it. Each hook is empty until
// its owner installs it; the shell then does the least that is safe (no login,
// no dialog, nothing queued) and says so where the operator would notice.
struct ShellHooks
{
    // "Open an Installation": the installation file chosen, empty when cancelled.
    std::function<QString()> openInstallationDialog;
    // The Installations dialog of File Open: the file chosen, empty when cancelled.
    std::function<QString()> installationsDialog;
    // Operator login: nullopt when cancelled, else whether the operator is an administrator.
    std::function<std::optional<bool>()> login;
    // The reminder to back up regularly, shown at an interactive start.
    std::function<void()> startupDialog;
    // The installation has not been backed up for a while.
    std::function<void()> backupReminder;
    // The network queue is being built or worked (not idle).
    std::function<bool()> queueBusy;
    // Has the communication form stop sending and close the main window after the next reply.
    std::function<void()> requestStopAndClose;
    // The modem and COM-port link objects: made once the main window stands, deleted at exit.
    std::function<void()> createLinkObjects;
    std::function<void()> deleteLinkObjects;
    // Clears the link's per-network and per-node run state.
    std::function<void()> resetLinkRunState;
    // The Auto Pilot dialog of the Setup sheet's Advanced page, which keeps it.
    std::function<std::unique_ptr<QDialog>(QWidget* parent)> autoPilotDialog;
    // Commands whose handlers live outside the shell (the document's, the Setup sheet, backups).
    std::map<unsigned, std::function<void()>> commands;
};

ShellHooks& Hooks();

// The queue is idle when nobody says otherwise.
bool IsNetworkQueueBusy();
