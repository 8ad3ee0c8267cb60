#pragma once

// Tells the operator a new time was queued after a daylight-saving change:
// with changed, a message box; otherwise a modeless notice that the time was
// sent (connected) or waits for the connection.
void ShowDstChangeNotice(bool changed, bool connected);

inline constexpr const char* kDstChangedText =
    "Daylight Saving Time has changed since the last time the application was run."
    "\n\rUpdated date and time will be sent to the networks automatically after the"
    "\n\rnetworks are connected. Please connect to the networks.";
