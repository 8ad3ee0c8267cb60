#include "image/NetworkPasswords.h"

namespace NetworkPasswords {
namespace {

struct Entry
{
    RemotePassword remote{};
    PriorityPassword priority{};
    bool filled = false;
};

std::array<Entry, kNetworkCount> g_entries;
bool g_shortFileLoaded = false;

// One convention for both tables: network n is entry n - 1.
Entry* EntryOf(int net)
{
    if (net < 1 || net > kNetworkCount)
        return nullptr;
    return &g_entries[static_cast<std::size_t>(net - 1)];
}

} // namespace

std::optional<RemotePassword> Remote(int net)
{
    const Entry* entry = EntryOf(net);
    if (!entry || !entry->filled)
        return std::nullopt;
    return entry->remote;
}

std::optional<PriorityPassword> Priority(int net)
{
    const Entry* entry = EntryOf(net);
    if (!entry || !entry->filled)
        return std::nullopt;
    return entry->priority;
}

bool Store(int net, const RemotePassword& remote, const PriorityPassword& priority)
{
    Entry* entry = EntryOf(net);
    if (!entry)
        return false;
    *entry = {remote, priority, true};
    return true;
}

bool StoreRemote(int net, const RemotePassword& remote)
{
    Entry* entry = EntryOf(net);
    if (!entry)
        return false;
    entry->remote = remote;
    entry->filled = true;
    return true;
}

void ClearRemote(int net)
{
    if (Entry* entry = EntryOf(net))
        entry->remote = {};
}

void SetShortFileLoaded()
{
    g_shortFileLoaded = true;
}

bool ShortFileLoaded()
{
    return g_shortFileLoaded;
}

bool ConsumeShortFileFlag()
{
    const bool was = g_shortFileLoaded;
    g_shortFileLoaded = false;
    return was;
}

void Reset()
{
    g_entries = {};
    g_shortFileLoaded = false;
}

} // namespace NetworkPasswords
