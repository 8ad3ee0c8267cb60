#pragma once

#include <QString>

#include <vector>

class ITelephonyLines;

// The telephony lines that can place data-modem calls, as the Dialing page
// lists them. List positions and device identifiers differ: only the
// identifiers are stored.
struct ModemLine
{
    int device = -1;
    QString name;
};

inline constexpr int kNoModemLine = -1;

// Fills lines; line is the stored device, set to kNoModemLine (after a
// message) when the device no longer exists. Every failure is shown; false
// when no line can be listed.
bool FillModemLineList(ITelephonyLines& telephony, int& line, std::vector<ModemLine>& lines);
