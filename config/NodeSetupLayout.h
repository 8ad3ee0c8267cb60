#pragma once

// Shared values of the node setup pages.
namespace NodeSetupLayout {

// The right to configure the current installation.
inline constexpr int kConfigurePrivilege = 4;
// Names and modem strings of a controller's image.
inline constexpr int kNameLength = 24;

} // namespace NodeSetupLayout
