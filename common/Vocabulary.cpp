#include "common/Vocabulary.h"

const std::array<VocabularyRow, 10> ButtonNames = {"None", "Any", "Left", "Right", "Top", "Top & Left",
                                                   "Top & Right", "Bottom Left", "Bottom Right", "Keypad"};
const std::array<VocabularyRow, 10> RelayNames = {"Relay A", "Relay B", "Relay C", "Relay D", "Buttons",
                                                  "Cab 1", "Cab 2", "Cab 3", "Cab 4", "Elev Ctrl"};
const std::array<VocabularyRow, 4> TimingModeNames = {"Time", "Pulse", "Toggle", "Latch"};
const std::array<VocabularyRow, 11> PbxDigitNames = {"Off", "9", "8", "7", "6", "5", "4", "3", "2", "1", "0"};
const std::array<VocabularyRow, 10> PhoneDigitNames = {"None", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const std::array<VocabularyRow, 4> DirCodeLengthNames = {"1", "2", "3", "4"};
const std::array<VocabularyRow, 12> MonthNames = {"January", "February", "March",     "April",
                                                  "May",     "June",     "July",      "August",
                                                  "September", "October", "November", "December"};
const std::array<VocabularyRow, 7> WeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                   "Thursday", "Friday", "Saturday"};
const std::array<VocabularyRow, 6> RelayOperationNames = {"Control", "Shunt", "Alarm", "Obstacle", "CCTV", "None"};
const std::array<VocabularyRow, 12> DeviceTypeNames = {"None",      "Keypad", "Radio",      "Wiegand26",
                                                       "Wiegand30", "Wiegand31", "Phone",   "Tovix Encl",
                                                       "MOD1",      "MOD2",   "MOD3",       "MOD4"};
const std::array<VocabularyRow, 4> DeviceOptionNames = {"None", "Wiegand26", "Wiegand30", "Wiegand31"};
const std::array<VocabularyRow, 4> DeviceDirectionNames = {"None", "In", "Out", "Neutral"};
const std::array<VocabularyRow, 4> RadioDirectionNames = {"None", "In", "Out", "Neutral"};
const std::array<VocabularyRow, 9> ConnectUsingNames = {"Modem", "COM1", "COM2", "COM3", "COM4",
                                                        "COM5",  "COM6", "COM7", "COM8"};
const std::array<VocabularyRow, 6> AntiPassbackModeNames = {"None", "Soft", "Timed", "Forgiven", "Hard", ""};
const std::array<VocabularyRow, 6> PrivilegeNames = {
    "Work with cardholders and credentials", "Report Generation", "Backup and Restore",
    "Monitor and Control doors", "Configure the current installation", "All Global Programming"};
const std::array<VocabularyRow, 6> PrivilegeNames2 = PrivilegeNames;

QString MonthName(int month)
{
    return NameAt(MonthNames, month - 1LL);
}

QString WeekdayName(int day)
{
    return NameAt(WeekdayNames, day - 1LL);
}
