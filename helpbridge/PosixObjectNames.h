#pragma once

#include <string>
#include <string_view>

// The POSIX shared-memory name of a named object: a leading "/" and no other,
// since names built from Linux paths carry slashes.
std::string PosixSharedObjectName(std::string_view objectName);
