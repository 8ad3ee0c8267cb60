#pragma once

// A site has up to eight networks of up to eight nodes each.
inline constexpr int kNetworkCount = 8;
inline constexpr int kNodesPerNetwork = 8;
