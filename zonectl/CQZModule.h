#pragma once

#include <atomic>

// Counts the library's live objects, so the host knows when it may unload it.
class CQZModule
{
public:
    static void ObjectCreated() { s_objects.fetch_add(1); }
    static void ObjectDestroyed() { s_objects.fetch_sub(1); }
    static bool CanUnload() { return s_objects.load() == 0; }

private:
    static inline std::atomic<int> s_objects{0};
};
