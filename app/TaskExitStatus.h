#pragma once

// Exit statuses of the program, for whoever started it (cron, a systemd timer).
inline constexpr int kExitPassed = 0;
// The start was refused: a bad parameter, no installation, another copy busy.
inline constexpr int kExitRefused = 1;
// A scheduled run ended with a step undone or a step, network or backup failed.
inline constexpr int kExitTaskFailed = 2;

// The status of the run now ending, from its recorded results: a scheduled run
// passes only when every step of its mode is done and nothing it recorded
// failed. An interactive run passes.
int TaskExitStatus();
