#pragma once

#include <QString>

#include <vector>

class CSetUsers;
class CSetVestrels;
class CSetVLNetworks;

// An entry of a filter page's check list: its text, the number its clause
// carries, its check now and the check its row holds.
struct FilterEntry
{
    QString text;
    int value = 0;
    bool checked = false;
    bool stored = false;
};

// The entries in list order: alphabetical, case ignored.
void SortFilterEntries(std::vector<FilterEntry>& entries);

// The Doors page reads and writes bits 0-3 of its controller's LastEventLog,
// the Cardholders page bit 0 of the cardholder's; the other bits stay.
// Reading walks the program-wide recordsets from their first row; a database
// error shows its report and ends the walk or store, keeping what was done.
// A store writes only the entries whose check changed.

// Four door entries per controller whose network row is found, with their
// door keys.
std::vector<FilterEntry> ReadDoorEntries(CSetVestrels& controllers, CSetVLNetworks& networks);
void StoreDoorSelections(CSetVestrels& controllers, const std::vector<FilterEntry>& entries);

// One entry per cardholder not deleted, with its UserID.
std::vector<FilterEntry> ReadCardholderEntries(CSetUsers& cardholders);
void StoreCardholderSelections(CSetUsers& cardholders, const std::vector<FilterEntry>& entries);
