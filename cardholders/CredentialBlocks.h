#pragma once

#include "cardholders/CredentialKind.h"
#include "cardholders/CredentialTables.h"

#include <QString>

#include <cstdint>
#include <vector>

// Blocks of card and transmitter numbers: listing, the new-block checks and
// the rows they make, deleting, and the holder flag of a cardholder who may
// have lost his last number. Every refusal is shown in a message box.
namespace CredentialBlocks {

inline constexpr int kMaxBlocks = 24;
inline constexpr int kNumbersPerBlock = 1900;
inline constexpr int kMaxBlockNumbers = kMaxBlocks * kNumbersPerBlock;
inline constexpr int kLongestName = 45;

struct BlockRow
{
    QString block; // running number "001", "002", ... in AutoNumIndex order
    QString start;
    QString end;
    QString name;
    QString facilityCodes;
    std::int32_t autoNumIndex = 0;
};

struct NewBlock
{
    QString name;
    double start = 1.0;
    double end = 1.0;
    std::vector<int> facilityCodes; // ticked list positions, 1-16
};

// The live blocks; a database error is shown and ends the list.
std::vector<BlockRow> ListBlocks(CredentialKind kind);
// False, after saying so, when no further block may be added.
bool MayAddBlock(CredentialKind kind);
// Checks the range in order and makes its block rows and numbers, all or
// nothing; false after showing why not.
bool CreateBlock(CredentialKind kind, const NewBlock& block);
// True, after saying so, when a number of the block has a cardholder.
bool IsAssigned(CredentialKind kind, std::int32_t autoNumIndex);
// Removes the block's numbers and empties its row for reuse.
bool DeleteBlock(CredentialKind kind, std::int32_t autoNumIndex);
// Whether the cardholder still holds a number of the kind; clears his flag
// when he does not.
bool ReleaseHolderFlag(CredentialKind kind, std::int32_t userId);

} // namespace CredentialBlocks
