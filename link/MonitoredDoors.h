#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// The monitor's doors in the installation's tables: the panels and doors the
// navigation form lists, and the doors kept in each panel's LastMonitored
// while they are not on screen. Database errors pass on.
namespace MonitoredDoors {

struct Panel
{
    QString label;
    std::int32_t vestrelId;
};
struct Door
{
    std::uint32_t key;
    QString label;
};

// The network's panels, in table order.
std::vector<Panel> NetworkPanels(int network);
// Doors 1 to 4 of each of the panels.
std::vector<Door> PanelDoors(const std::vector<std::int32_t>& vestrelIds);
// Sets each door's bit in its panel's LastMonitored.
void Save(const std::vector<std::uint32_t>& keys);
// Hands every door kept for the network's panels to add, clearing each
// panel's LastMonitored after its doors.
void Load(int network, const std::function<void(const Door&)>& add);

} // namespace MonitoredDoors
