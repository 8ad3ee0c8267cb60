#pragma once

#include "config/CabRelayMask.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class CSetFloorNames;

// One cab of one node: the node's floors in table order and, per floor, the
// module relays that reach it, apart from the widgets. A save writes only
// the floors changed since they were loaded, so a mask cleared elsewhere in
// the meantime (a removed cab or module) is not written back.
class CabFloorRelays
{
public:
    // The relay tables hold the floors' Index values 0-127.
    static constexpr int kMaxFloors = 128;

    CabFloorRelays(int cab, int net, int node);

    // A row whose Index the tables cannot hold is skipped, and a node with
    // more rows than floors stops at the last floor, each with a warning in
    // the log.
    void Load(CSetFloorNames& set);

    int Cab() const { return m_cab; }
    int Floors() const { return static_cast<int>(m_floors.size()); }
    QString Name(int position) const;
    bool IsRelaySet(int position, int module, int relay) const;
    // The six relays of a module for the floor at position.
    void SetModuleRelays(int position, int module, const std::array<bool, CabRelayMask::kRelaysPerModule>& relays);
    std::uint32_t Relays(int position) const;

    // True when a row was written.
    bool Save(CSetFloorNames& set);

private:
    struct Floor
    {
        int index = 0;
        QString name;
    };
    const Floor* At(int position) const;

    int m_cab;
    int m_net;
    int m_node;
    std::vector<Floor> m_floors;
    std::array<std::uint32_t, kMaxFloors> m_relays{};
    std::array<std::uint32_t, kMaxFloors> m_loaded{};
};
