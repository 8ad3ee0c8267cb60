#pragma once

#include <optional>
#include <string>
#include <string_view>

// The names under which the authoring tool publishes a help project's shared
// block and mutex.
struct HandOffNames
{
    std::string sharedBlock;
    std::string mutex;
};

// From the project's path: "\" becomes "_", the rest is lower-cased and the
// last four characters (the extension) are dropped. A path shorter than that
// or longer than the bridge's texts names no project: nullopt.
std::optional<HandOffNames> BuildObjectNames(std::string_view projectPath);
