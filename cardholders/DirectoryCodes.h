#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The telephone-directory codes of cardholders: [EntryNumbers] rows with a
// UserID are in use, rows with UserID 0 are free and taken by the next code.
namespace DirectoryCodes {

inline constexpr int kMaxScreens = 428;
inline constexpr int kSubsets = 8;
inline constexpr int kPhoneLength = 12;
inline constexpr int kTenantLength = 24;

using Subsets = std::array<bool, kSubsets>;

struct Entry
{
    QString tenant;
    QString phone;
    bool extendedTalkTime = false;
    Subsets subsets{};
};

struct Listed
{
    QString code;
    std::int32_t entryId = 0;
};

// A fresh entry's subsets: A alone.
Subsets DefaultSubsets();
// The highest code of length digits (9, 99, 999 or 9999).
int LargestCode(int length);

// The lowest code 1.. that no row in use holds, zero-padded to length;
// empty when every code is taken (said once with warn).
QString FindFreeCode(int length, bool warn);
// The cardholder's codes in table order, and the first one's subsets.
std::vector<Listed> ListCodes(std::int32_t userId, Subsets& firstSubsets);
// The checks of Assign in their order; false after the refusal was shown.
bool CheckCode(const QString& code, int length);
// Gives the cardholder the code on a free row: one that carried the code
// before, else the first free row, else a new row. The tenant name is made
// from her last and first names as a panel can hold it; when that changed
// them, the operator is told so.
bool Assign(std::int32_t userId, const QString& code, const Subsets& subsets);
bool Surrender(std::int32_t entryId);
bool LoadEntry(std::int32_t entryId, Entry& entry);
// Writes what differs; true when anything was written (data to program is
// marked). A tenant name the panel cannot show is refused and nothing written.
bool StoreEntry(std::int32_t entryId, const Entry& entry);

} // namespace DirectoryCodes
