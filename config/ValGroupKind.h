#pragma once

// What tells the door and the floor validation-group pages apart.
struct ValGroupKind
{
    // The document's kind number for ValGroupByte.
    int docKind;
    const char* pageClass;
    const char* groupLabel;
    const char* scheduleLabel;

    bool IsDoor() const { return docKind == kDoor; }

    static constexpr int kDoor = 1;
    static constexpr int kFloor = 2;
};

inline constexpr ValGroupKind kDoorValGroupKind{ValGroupKind::kDoor, "CTabDoorValGroups", "Door Validation Group:",
                                               "Door Schedule:"};
inline constexpr ValGroupKind kFloorValGroupKind{ValGroupKind::kFloor, "CTabFloorValGroups", "Floor Validation Group:",
                                                "Floor Schedule:"};
