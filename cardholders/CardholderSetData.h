#pragma once

#include "cardholders/SetFormRules.h"

#include <QString>

#include <cstdint>

class CWFDoc;

// What the cardholder-set form edits of one set: its [UserGroups] row and
// its record in the installation-wide image.
struct CardholderSetData
{
    static constexpr int kNameLength = 50;
    static constexpr int kNotesLength = 255;

    QString name;
    QString notes;
    SetFormRules::Choices choices;
    std::uint8_t antiPassback = 0;

    // Whether door validation group g has time zones of its own in the image.
    static SetFormRules::GroupHasZones DoorGroupZones(CWFDoc& doc);

    // Reads the row and the mode; false when the set has no row.
    bool Load(CWFDoc& doc, std::uint8_t set);
    // The groups and zones of another set, for Make same as.
    bool LoadChoices(std::uint8_t set);
    // Writes the row and the record, marks unused the records of sets without
    // a live row, then saves the image (marking data to program when it
    // changed). The built-in sets are never written.
    bool Save(CWFDoc& doc, std::uint8_t set) const;
};
