#pragma once

#include <QString>

#include <array>

// Display words for the small codes stored in the databases and panel images.
// Tables are read by stored code; NameAt guards codes beyond a table's end.
using VocabularyRow = const char*;

extern const std::array<VocabularyRow, 10> ButtonNames;
extern const std::array<VocabularyRow, 10> RelayNames;
extern const std::array<VocabularyRow, 4> TimingModeNames;
extern const std::array<VocabularyRow, 11> PbxDigitNames;
extern const std::array<VocabularyRow, 10> PhoneDigitNames;
extern const std::array<VocabularyRow, 4> DirCodeLengthNames;
extern const std::array<VocabularyRow, 12> MonthNames;   // month m at row m - 1
extern const std::array<VocabularyRow, 7> WeekdayNames;  // day d (1 = Sunday) at row d - 1
extern const std::array<VocabularyRow, 6> RelayOperationNames;
extern const std::array<VocabularyRow, 12> DeviceTypeNames;
extern const std::array<VocabularyRow, 4> DeviceOptionNames;
extern const std::array<VocabularyRow, 4> DeviceDirectionNames;
extern const std::array<VocabularyRow, 4> RadioDirectionNames;
extern const std::array<VocabularyRow, 9> ConnectUsingNames;
extern const std::array<VocabularyRow, 6> AntiPassbackModeNames;
extern const std::array<VocabularyRow, 6> PrivilegeNames;
extern const std::array<VocabularyRow, 6> PrivilegeNames2;

// What a code beyond the table shows: stored data may hold anything.
inline constexpr const char* kUnknownVocabularyCode = "?";

template <std::size_t N>
QString NameAt(const std::array<VocabularyRow, N>& table, long long code)
{
    if (code < 0 || code >= static_cast<long long>(N))
        return QString::fromLatin1(kUnknownVocabularyCode);
    return QString::fromLatin1(table[static_cast<std::size_t>(code)]);
}

// Months and weekdays are stored one-based.
QString MonthName(int month);
QString WeekdayName(int day);
