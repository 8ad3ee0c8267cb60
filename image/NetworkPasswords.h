#pragma once

#include <array>
#include <cstdint>
#include <optional>

using RemotePassword = std::array<std::uint8_t, 8>;
using PriorityPassword = std::array<std::uint8_t, 6>;

// Process-wide state kept beside the images: the passwords of each network
// (those of its node 1, shared by its other nodes) and the flag that an image
// of the older, shorter layout was loaded. Entries are for networks 1-8; any
// other number has no entry.
namespace NetworkPasswords {

inline constexpr int kNetworkCount = 8;

// Empty when the network has no entry or it was never filled since the reset.
std::optional<RemotePassword> Remote(int net);
std::optional<PriorityPassword> Priority(int net);
// False, and nothing stored, for a network outside 1-8.
bool Store(int net, const RemotePassword& remote, const PriorityPassword& priority);
// The remote password alone; the priority password stays as it was.
bool StoreRemote(int net, const RemotePassword& remote);
// The network's master is gone: its remote password is all zeros again.
void ClearRemote(int net);

// Set by a load of a short file; the document saves that image in the full
// layout and takes the flag back.
void SetShortFileLoaded();
bool ShortFileLoaded();
bool ConsumeShortFileFlag();

// Clears both tables and the flag (the application's run-state reset).
void Reset();

} // namespace NetworkPasswords
