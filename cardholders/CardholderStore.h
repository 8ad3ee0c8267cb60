#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class CSetUsers;
class CWFDoc;

// Images of the cardholder tree, also what an item is.
namespace CardholderImage {
inline constexpr int kSet = 0;
inline constexpr int kActive = 1;
inline constexpr int kExpired = 2;
inline constexpr int kSuspended = 3;
} // namespace CardholderImage

struct CardholderSetItem
{
    std::uint8_t index = 0;
    QString name;
    bool suspended = false;
};

struct CardholderItem
{
    std::int32_t userId = 0;
    QString text;
    int image = CardholderImage::kActive;
};

// The index an appended cardholder set row takes.
extern std::uint8_t g_nNextCardholderSetIndex;

// What the cardholder tree reads and writes, through the program-wide
// [Users], [UserGroups] and credential recordsets. Refusals and database
// errors are shown here; the tree only mirrors the outcome.
namespace CardholderStore {

inline constexpr std::uint8_t kAllAccessSet = 1;
inline constexpr std::uint8_t kNoAccessSet = 2;
inline constexpr int kMaxSets = 63;
// The panels hold cardholder records 0-9999.
inline constexpr std::int32_t kMaxUserId = 9999;

// The sets in tree order: the two built-in rows, then the others by name.
// False when the listing stopped early (the reason was shown).
bool ListSets(std::vector<CardholderSetItem>& sets);
// The set's cardholders by name, each with its image; listing makes
// inactive the rows the image rule says must be.
bool ListCardholders(const CardholderSetItem& set, std::vector<CardholderItem>& items);
// The image of the current [Users] row; a row that must be inactive is written so.
int ChooseImage(CSetUsers& user, bool setSuspended, bool noAccessSet);
// The sets to choose from: the two built-in rows, then the others by name.
std::vector<CardholderSetItem> SetChoices();
QString TreeText(const CSetUsers& user);
bool IsSetSuspended(std::uint8_t set);

// A cardholder in the set: a deleted row reused, else a new row. Empty
// userId when refused.
CardholderItem AddCardholder(std::uint8_t set);
// Frees the cardholder's credentials and marks the row deleted.
bool ReleaseCardholder(std::int32_t userId);
// Suspends an active cardholder or activates a suspended one; the new image,
// or -1 when refused.
int ToggleCardholder(std::int32_t userId, int image);
bool MoveCardholder(std::int32_t userId, std::uint8_t set);

// A new set row (a deleted one reused); its index, 0 when refused.
std::uint8_t AddSet(CWFDoc& doc);
bool CanDeleteSet(std::uint8_t set);
void DeleteSet(CWFDoc& doc, std::uint8_t set);
// Writes the set's and its cardholders' state; refused for a set without
// cardholders.
bool SetSuspended(std::uint8_t set, bool suspend, int cardholders);

} // namespace CardholderStore
