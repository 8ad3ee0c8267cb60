#pragma once

#include <QString>

#include <optional>
#include <vector>

// The modem lines the program may dial with: profile section "Modem Lines",
// keys "Line<i> Device" (the serial device of the modem) and "Line<i> Name".
// The identifier of a line is its i, 0 to 63; identifiers without a device
// are gaps.
struct ModemLineSetting
{
    int id = 0;
    QString device;
    QString name;
};

namespace ModemLines {

inline constexpr int kMaxLines = 64;

std::vector<ModemLineSetting> Load();
// Replaces the section; lines without a device are left out.
void Save(const std::vector<ModemLineSetting>& lines);
// The number of line identifiers in use: the highest plus one.
int DeviceCount(const std::vector<ModemLineSetting>& lines);
std::optional<ModemLineSetting> Find(const std::vector<ModemLineSetting>& lines, int id);

} // namespace ModemLines
