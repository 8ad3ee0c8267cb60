#pragma once

#include <functional>
#include <optional>

// The keyboard's lock keys, for the status bar's indicators.
struct LockKeyStates
{
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

using LockKeySource = std::function<std::optional<LockKeyStates>()>;

// The states as the windowing system reports them; nullopt where it reports
// none (only X11 does).
std::optional<LockKeyStates> QueryLockKeys();

// Replaces where the states come from; returns the previous source. An empty
// one restores the windowing system's.
LockKeySource SetLockKeySource(LockKeySource source);
