#pragma once

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

class CSetFloorNames;

// The floors of an installation. A floor is one row of the floor-names
// table for each node of every network, all with its Index and Name; the
// rows of network 1, node 1 stand for the floor in lists. Every write runs
// in one transaction and is taken back whole when it fails, so no floor is
// ever left with some of its rows. Errors throw DatabaseException.
namespace FloorRows {

inline constexpr int kNetworks = 8;
inline constexpr int kNodes = 8;
inline constexpr int kRowsPerFloor = kNetworks * kNodes;
inline constexpr int kMaxFloors = 128;
inline constexpr int kNameLength = 24;

inline constexpr int kCabs = 4;

struct Floor
{
    int index = 0;
    QString name;
    std::int32_t sched = 0;
};

// A floor as one node sees it, with the relays of one of its cabs.
struct NodeFloor
{
    int index = 0;
    QString name;
    std::int32_t cabRelays = 0;
};

// The floors in table order.
std::vector<Floor> List(CSetFloorNames& set);
// The lowest Index that no row holds; kMaxFloors when all are taken.
int FreeIndex(CSetFloorNames& set);
// The rows of a new floor, networks 1-8 and within each nodes 1-8.
void Add(CSetFloorNames& set, int index, const QString& name);
// The Name of the floor's first row; false when it has none.
bool FindName(CSetFloorNames& set, int index, QString& name);
// Names every row of the floor, unless its first row has that name already
// (letter case counts); true when it renamed.
bool Rename(CSetFloorNames& set, int index, const QString& name);
void Remove(CSetFloorNames& set, int index);
// Writes each floor's schedule mask into every row of that floor, found by
// its Index so that floors named alike keep their own schedules.
void WriteSchedules(CSetFloorNames& set, const std::vector<std::pair<int, std::int32_t>>& masks);

// Cab1 to Cab4 of the current row; cab 1-4.
std::int32_t& CabRelays(CSetFloorNames& set, int cab);
// The node's rows in table order, with the relays of the cab.
std::vector<NodeFloor> NodeFloors(CSetFloorNames& set, int net, int node, int cab);
// Writes the relays of the cab into the node's rows of each floor given by
// its Index, where they differ; true when a row was written.
bool WriteCabRelays(CSetFloorNames& set, int net, int node, int cab,
                    const std::vector<std::pair<int, std::int32_t>>& relays);

} // namespace FloorRows
