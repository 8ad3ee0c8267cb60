#pragma once

#include "cardholders/CredentialKind.h"

#include <QString>

#include <cstdint>
#include <vector>

// Card and transmitter numbers enrolled one by one: listing, the add checks
// with reuse of a deleted row, and the soft delete. Every refusal is shown
// in a message box.
namespace CredentialIndividuals {

inline constexpr int kMaxIndividuals = 20000;

struct IndividualRow
{
    QString number;
    QString facilityCodes;
    std::int32_t autoNumIndexSingle = 0;
};

// The live numbers in numeric order; a database error is shown and ends the list.
std::vector<IndividualRow> ListIndividuals(CredentialKind kind);
// False, after saying so, when no further number may be added.
bool MayAddIndividual(CredentialKind kind);
// Checks the number and makes it a spare, in a deleted row of the same
// number when there is one; false after showing why not.
bool AddIndividual(CredentialKind kind, double number, const std::vector<int>& facilityCodes);
// True, after saying so, when the number has a cardholder or the check failed.
bool IsAssigned(CredentialKind kind, std::int32_t autoNumIndexSingle);
// Marks the number deleted and empties it; its row stays for a re-add.
bool DeleteIndividual(CredentialKind kind, std::int32_t autoNumIndexSingle);

} // namespace CredentialIndividuals
