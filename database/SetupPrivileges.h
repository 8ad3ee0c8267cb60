#pragma once

// The rights that the Setup pages test, numbered as PrivilegeNames.
namespace SetupPrivilege
{
inline constexpr int ConfigureInstallation = 4;
inline constexpr int AllGlobalProgramming = 5;
} // namespace SetupPrivilege
