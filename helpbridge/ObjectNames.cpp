#include "helpbridge/ObjectNames.h"

#include "helpbridge/TopicLookup.h"

namespace {

constexpr std::size_t kDroppedExtensionLength = 4;
constexpr char kSharedBlockPrefix[] = "SharedMem_Plumawit_";
constexpr char kMutexPrefix[] = "Mutex_Plumawit_";
constexpr char kProjectSuffix[] = ".hpj";

// Single-byte, C locale: bytes outside A-Z stay as they are.
char Fold(char c)
{
    if (c == '\\')
        return '_';
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    return c;
}

} // namespace

std::optional<HandOffNames> BuildObjectNames(std::string_view projectPath)
{
    if (projectPath.size() < kDroppedExtensionLength || projectPath.size() > kMaxTopicTextLength)
        return std::nullopt;
    std::string stem;
    for (char c : projectPath.substr(0, projectPath.size() - kDroppedExtensionLength))
        stem.push_back(Fold(c));
    return HandOffNames{kSharedBlockPrefix + stem + kProjectSuffix, kMutexPrefix + stem + kProjectSuffix};
}
