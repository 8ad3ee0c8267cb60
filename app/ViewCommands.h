#pragma once

#include <QString>

// Kinds of the right pane; each has its caption text.
namespace PaneKind {
inline constexpr int NetworkSettings = 1;
inline constexpr int LocalControllerSettings = 2;
inline constexpr int GlobalNetworkSettings = 3;
inline constexpr int EventLogReport = 5;
inline constexpr int BlockCards = 6;
inline constexpr int IndividualCards = 7;
inline constexpr int BlockTransmitters = 8;
inline constexpr int IndividualTransmitters = 9;
inline constexpr int EntryCodes = 10;
inline constexpr int TelephoneDirectory = 11;
inline constexpr int MonitorAndControl = 12;
inline constexpr int Cardholders = 13;
inline constexpr int CardholderSet = 14;
inline constexpr int Credentials = 15;
inline constexpr int Reports = 16;
inline constexpr int NavigationHelp = 17;
inline constexpr int First = 1;
inline constexpr int Last = 19;
} // namespace PaneKind

// The caption text of a pane kind; empty outside 1-19.
QString PaneCaption(int kind);

inline constexpr int kNoPrivilegeNeeded = -1;

// One view command: which classes fill the upper left and the right pane.
struct ViewCommand
{
    unsigned command;
    const char* leftClass;
    const char* rightClass;
    int rightKind;
    int captionKind;
    // The operator is told before switching when the configure right is missing.
    bool needsConfigurePrivilege;
};

// The view command of an identifier, or null.
const ViewCommand* FindViewCommand(unsigned command);

// The privilege a command needs to be enabled; kNoPrivilegeNeeded when none.
int CommandPrivilege(unsigned command);

// The view-command buttons whose checks are cleared when another is checked.
bool IsCheckGroupCommand(unsigned command);
