#pragma once

#include "config/PeriodValues.h"
#include "config/ValGroupKind.h"
#include "config/ValidDays.h"

#include <QString>

#include <array>

class CWFDoc;

// One validation group as its page edits it: the schedule, the name, the
// time zones of the four slots, and what each slot's row shows of its zone.
// Nothing reaches the document before StoreGroup.
class CValGroupModel
{
public:
    static constexpr int kSlots = 4;
    static constexpr int kFirstGroup = 1;
    static constexpr int kLastGroup = 31;
    static constexpr int kLastZone = 31;
    static constexpr int kLastSchedule = 31;
    static constexpr int kNameLength = 100;
    static constexpr int kNoSchedule = -1;

    // What a slot's row shows: read-only day boxes and a bar.
    struct ZoneRow
    {
        bool enabled = false;
        ValidDays::Boxes days{};
        PeriodValues periods;
        // The zone on display; the all-days display of a group without zones is 0.
        int zone = 0;
    };

    CValGroupModel(CWFDoc& doc, const ValGroupKind& kind);

    // Reads the group and shows all four rows afresh.
    void LoadGroup(int group);
    // A slot's spin moved to zone: when the row does not already show that
    // zone, the row and then the other three in order are shown afresh.
    // True when rows were refreshed.
    bool SetZone(int slot, int zone);
    // Writes the schedule, the name and the four zones of the shown group.
    void StoreGroup();

    int Group() const { return m_group; }
    int Zone(int slot) const { return m_zones[slot]; }
    const ZoneRow& Row(int slot) const { return m_rows[slot]; }

    // The schedule list's index, kNoSchedule for no selection.
    int m_schedule = kNoSchedule;
    QString m_name;

private:
    void ShowZoneRow(int slot);

    CWFDoc& m_doc;
    ValGroupKind m_kind;
    int m_group = kFirstGroup;
    std::array<int, kSlots> m_zones{};
    std::array<ZoneRow, kSlots> m_rows{};
    // A group without zones shows "every day, all day" in one row only.
    bool m_allZeroShown = false;
};
