#pragma once

#include <memory>
#include <vector>

class CBindManager;
class CPagedBinder;

// The paged binders in the order in which every phase runs them. A binder
// marked fullRunOnly is left out of partial runs (installations whose panels
// have no telephone directory).
struct BinderEntry
{
    std::unique_ptr<CPagedBinder> (*make)(CBindManager& manager);
    bool fullRunOnly;
};

const std::vector<BinderEntry>& PagedBinders();
