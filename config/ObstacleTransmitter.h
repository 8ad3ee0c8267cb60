#pragma once

#include "image/CVLControllerMemory.h"

#include <QString>

#include <cstdint>

// One obstacle transmitter of a controller as its image block keeps it. The
// block's ID is stored low byte first.
struct ObstacleTransmitter
{
    static constexpr int kMaxFacility = 15;
    static constexpr int kMaxId = 65535;
    static constexpr int kNameLength = 24;

    int facility = 0;
    int id = 0;
    QString name;

    // An undefined block gives the empty row.
    static ObstacleTransmitter Decode(const ObstacleRecord& block);
    // ID 0 gives the all-zero block, whatever the facility and name hold.
    ObstacleRecord Encode() const;
};
