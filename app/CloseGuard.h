#pragma once

// What closing the main window does in the current state.
enum class CloseDecision {
    RefuseWhileProgramming, // say so and stay open
    AskToInterrupt,         // a controller's database is being written: ask first
    Close,
};

// programmingRun: the programming run is under way (building the queue or any
// later stage); queueBusy: the network queue is being worked; closeConfirmed:
// the operator already agreed to interrupt the update.
CloseDecision DecideClose(bool programmingRun, bool queueBusy, bool closeConfirmed);

inline constexpr const char* kCloseRefusedText = "You cannot close Wardenfold while the network queue is being created.";
inline constexpr const char* kCloseAskText =
    "Controller's database is being updated. Closing the application may cause the controller to contain a "
    "corrupted database and leave the controller in an inoperable state requiring a local reset."
    "\n\r\n\rClick YES to interrupt database update and close the application or click NO to let the database "
    "update finish.";
