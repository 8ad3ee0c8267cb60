#pragma once

#include <QString>

#include <cstdint>

// Rights, data state and the network connection, for every subsystem.

// Privilege numbers follow PrivilegeNames; 6 is the administrator.
inline constexpr int kPrivilegeAdministrator = 6;
bool OperatorHasPrivilege(int privilege);

// After any change that must reach the panels: flags the open installation
// and shows the program button ready. Returns the form's result (0 without one).
int MarkDataToProgram();

// True when connected; otherwise, with showMessage, says why the command cannot run.
bool RequireConnection(bool showMessage);

// Leaves the network (asking first with ask); with refresh the main window
// goes back to the navigation view. False when the operator refused.
bool GoOfflineForCommand(bool ask, bool refresh);

// One node to serve alone in the next programming run.
struct PendingNodeRequest
{
    std::uint32_t request = 0; // 1: serve only this node
    std::uint8_t network = 0;
    std::uint8_t node = 0;
};
inline constexpr std::uint32_t kServeOneNode = 1;
extern PendingNodeRequest g_pendingNodeRequest;
void ClearPendingNodeRequest();

// Shows format with its one "%s" replaced by argument (OK button, no icon).
// The argument is never read as a format.
int MessageBoxFormat(const QString& format, const QString& argument);

// Shows the system's text for the last error (errno) titled "Error".
void ShowLastError();
