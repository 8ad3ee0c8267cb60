#pragma once

// Command identifiers the main frame dispatches on (WM_COMMAND's wParam).
namespace CommandId {
inline constexpr unsigned CardholdersView = 1023;
inline constexpr unsigned NetworkView = 32816;
inline constexpr unsigned NavigationView = 32884;
} // namespace CommandId
