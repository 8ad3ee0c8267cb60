#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The cardholder a credential belongs to, found on the program-wide
// credential recordsets (moving their current rows). Nothing when the
// recordset is closed or no row matches. Database errors pass on.
namespace CredentialOwners {

std::optional<std::int32_t> BlockTransmitter(std::uint64_t number);
std::optional<std::int32_t> BlockCard(std::uint64_t number);
std::optional<std::int32_t> SingleTransmitter(std::uint64_t number);
std::optional<std::int32_t> SingleCard(std::uint64_t number);
// The entry code whose Code is exactly these digits.
std::optional<std::int32_t> EntryCode(const QString& digits);

} // namespace CredentialOwners
