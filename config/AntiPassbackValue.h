#pragma once

class CWFDoc;

// The anti-passback time as the index of its list ("1 min" to "4 min").
struct AntiPassbackValue
{
    static constexpr int kChoices = 4;
    static constexpr int kNoSelection = -1;

    // A stored 0 (none) shows as the first entry.
    void Load(CWFDoc& doc);
    // Writes only what the operator chose: a page left untouched keeps the
    // stored time, also a stored 0.
    void Store(CWFDoc& doc) const;

    int index = kNoSelection;
    bool chosen = false;
};
