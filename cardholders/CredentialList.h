#pragma once

#include "cardholders/CredentialKind.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The all-credentials list that the block and individual views share: its
// rows over a range of numbers, and the status edit of one number.
namespace CredentialList {

// Images of the status pictures; an individual number's image has kIndividual added.
enum StatusImage { kSuspendedImage = 0, kEnabledImage = 1, kSpareImage = 2, kLostImage = 3 };
inline constexpr int kIndividual = 128;
inline constexpr double kLowestNumber = 1.0;
inline constexpr double kHighestNumber = 1099511627775.0;

struct StatusLook
{
    QString word;
    int image = kSpareImage;
};

StatusLook StatusOf(bool lost, bool suspended, std::int32_t userId);

struct Row
{
    QString text; // the number right-aligned, so rows sort by number
    int image = 0;
    std::int32_t itemData = 0;
    QString facilityCodes;
    QString holder;
    QString set;
    QString status;
};

// Individual numbers first, then block numbers, each in numeric order. A
// database error is shown and ends the list with the rows read so far.
std::vector<Row> ListRange(CredentialKind kind, double from, double to);

// A number's state as the status dialog edits it.
struct NumberState
{
    bool suspended = false;
    bool lost = false;
    std::int32_t userId = 0;
};

// A list row's number: a block number before an individual one.
std::optional<NumberState> LoadState(CredentialKind kind, const QString& rowText);
// Writes a changed state and clears a former holder's flag when he lost his
// last number; false when nothing was written.
bool StoreState(CredentialKind kind, const QString& rowText, const NumberState& before, const NumberState& after);
// The row as it now stands, for a refresh in place.
std::optional<Row> RowOf(CredentialKind kind, const QString& rowText);

} // namespace CredentialList
