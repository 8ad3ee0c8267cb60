#pragma once

#include "image/CBindTreeEntry.h"

#include <cstdint>
#include <functional>
#include <vector>

class CBindTree;

// One table row as the tree binders see it: its key (never 0), whether it
// is deleted, and how its panel record is built.
struct TreeRow
{
    std::uint64_t key = 0;
    bool deleted = false;
    std::function<void(CBindTreeEntry::Data&)> build;
};

// Applies the rows, in table order, to the tree: a deleted row frees its
// credential's slot, a known one keeps its slot and gets its record rebuilt,
// a new one takes the lowest free slot. When no slot is left it shows
// fullText and returns false; the caller then leaves the file as it was.
bool BindTreeRows(CBindTree& tree, const std::vector<TreeRow>& rows, const char* fullText);
