#pragma once

#include <array>

// The network status pane's buttons: a node button's identifier is 46000 +
// 10 x network + node, so the grid's place is read back from it.
namespace NodeButtons {

inline constexpr int kFirstNodeButton = 46000;
inline constexpr int kNetworkStride = 10;
inline constexpr int kDetailsButton = 1555;
inline constexpr int kStatusList = 1546;

inline constexpr int NodeButtonId(int net, int node)
{
    return kFirstNodeButton + kNetworkStride * net + node;
}
inline constexpr int NetworkOf(int buttonId)
{
    return (buttonId - kFirstNodeButton) / kNetworkStride;
}
inline constexpr int NodeOf(int buttonId)
{
    return (buttonId - kFirstNodeButton) % kNetworkStride;
}

// The network buttons of networks A-H and their pictures.
inline constexpr std::array<int, 8> kNetworkButtonIds = {1310, 1312, 1314, 1316, 1318, 1320, 1322, 1324};
inline constexpr std::array<int, 8> kNetworkButtonIcons = {304, 282, 283, 300, 301, 302, 303, 281};

} // namespace NodeButtons

// Commands of the node menus.
namespace NodeMenu {
inline constexpr unsigned kNodeSetup = 32814;
inline constexpr unsigned kDeleteNode = 32815;
inline constexpr unsigned kResetNode = 32821;
inline constexpr unsigned kReprogramNode = 32829;
inline constexpr unsigned kResetSupervisedFlags = 32836;
inline constexpr unsigned kDownloadAllMemory = 32900;
inline constexpr unsigned kInstallPanel = 32901;
inline constexpr unsigned kClearNodeQueue = 32905;
inline constexpr unsigned kFirmwareUpdate = 32910;
} // namespace NodeMenu
