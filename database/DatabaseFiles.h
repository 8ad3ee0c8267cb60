#pragma once

// The database files of an installation's database folder.
namespace DatabaseFiles
{
inline constexpr const char* Vestrels = "Vestrels.mdb";
inline constexpr const char* NetworkNodes = "NetworkNodes.mdb";
inline constexpr const char* NetworkNodesOld = "NetworkNodes2.mdb";
inline constexpr const char* Cards = "Cards.mdb";
inline constexpr const char* Transmitters = "Transmitters.mdb";
inline constexpr const char* DisplayMessages = "DisplayMessages.mdb";
inline constexpr const char* DoorValidationGroups = "DoorValidationGroups.mdb";
inline constexpr const char* FloorValidationGroups = "FloorValidationGroups.mdb";
inline constexpr const char* EntryCodes = "EntryCodes.mdb";
inline constexpr const char* EventLog = "EventLog.mdb";
inline constexpr const char* FloorNames = "FloorNames.mdb";
inline constexpr const char* NetCommands = "NetCommands.mdb";
inline constexpr const char* EntryNumbers = "EntryNumbers.mdb";
inline constexpr const char* Users = "Users.mdb";
} // namespace DatabaseFiles
