#include "config/ButtonScheduleValues.h"

#include "app/CWFDoc.h"

namespace {

constexpr std::uint8_t kNoneStored = 255;

} // namespace

void ButtonScheduleValues::Load(CWFDoc& doc)
{
    for (int r = 0; r < kRelays; ++r) {
        const int stored = doc.ButtonSchedule(r + 1, 0, 1);
        index[r] = stored < kChoices ? stored : kNoSelection;
    }
}

void ButtonScheduleValues::Store(CWFDoc& doc) const
{
    for (int r = 0; r < kRelays; ++r) {
        const bool chosen = index[r] >= 0 && index[r] < kChoices;
        doc.ButtonSchedule(r + 1, chosen ? static_cast<std::uint8_t>(index[r]) : kNoneStored, 0);
    }
}
