#pragma once

#include <cstdint>

// Event-type bytes of a panel's event record.
namespace PanelEventType {
inline constexpr std::uint8_t Door = 16;
inline constexpr std::uint8_t DialIn = 17;
inline constexpr std::uint8_t DeniedTransmitter = 32;
inline constexpr std::uint8_t DeniedCard = 33;
inline constexpr std::uint8_t DeniedEntryCode = 34;
inline constexpr std::uint8_t UnknownTransmitter = 48;
inline constexpr std::uint8_t UnknownCard = 49;
inline constexpr std::uint8_t UnknownEntryCode = 50;
inline constexpr std::uint8_t Tamper = 64;
inline constexpr std::uint8_t Status = 80;
inline constexpr std::uint8_t InOut = 96;
inline constexpr std::uint8_t Elevator = 112;
} // namespace PanelEventType
