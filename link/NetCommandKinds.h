#pragma once

#include <cstdint>

// Kinds of network command; each is also the command byte of its frame.
namespace NetKind {
inline constexpr std::uint8_t LinkLogin = 1;
inline constexpr std::uint8_t StatusPoll = 2;
inline constexpr std::uint8_t MemoryRead = 3;
inline constexpr std::uint8_t EventLogRead = 4;
inline constexpr std::uint8_t NodeCommand = 5;
inline constexpr std::uint8_t TimeSetting = 6;
inline constexpr std::uint8_t MemoryWrite = 7;
inline constexpr std::uint8_t Ack = 12;
} // namespace NetKind

// First data byte of a node command (kind 5).
namespace NodeCommandOp {
inline constexpr std::uint8_t NodeControl = 1;
inline constexpr std::uint8_t PriorityAccess = 2;
inline constexpr std::uint8_t AntiPassbackReset = 3;
} // namespace NodeCommandOp

// First payload byte of a time setting: which clock the panels keep.
namespace TimeSettingMode {
inline constexpr std::uint8_t StandardTime = 0x80;
inline constexpr std::uint8_t DaylightSavingTime = 0x81;
} // namespace TimeSettingMode
