#pragma once

#include <chrono>

// A mutex shared with the authoring tool by name; the handle is closed when
// destroyed.
class CNamedMutex
{
public:
    enum class WaitResult { Obtained, TimedOut, Abandoned, Failed };

    virtual ~CNamedMutex() = default;
    // Only Obtained leaves the mutex held. An abandoned mutex is made
    // consistent and let go again, so the next waiter can have it.
    virtual WaitResult Wait(std::chrono::milliseconds timeout) = 0;
    virtual void Release() = 0;
};
