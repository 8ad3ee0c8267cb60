#pragma once

#include <array>

class CWFDoc;

// Which transmitter button opens each of the relays A to D, as list indexes.
struct ButtonScheduleValues
{
    static constexpr int kRelays = 4;
    static constexpr int kChoices = 9;
    static constexpr int kNoSelection = -1;

    // A stored value beyond the list shows no selection.
    void Load(CWFDoc& doc);
    // No selection is stored as 255.
    void Store(CWFDoc& doc) const;

    std::array<int, kRelays> index = {kNoSelection, kNoSelection, kNoSelection, kNoSelection};
};
