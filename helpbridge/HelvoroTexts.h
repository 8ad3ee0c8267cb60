#pragma once

#include "helpbridge/ObjectNames.h"

#include <cstdint>
#include <string>

// The library's string table and its formatted messages.
inline constexpr char kCaptionText[] = "Plumawit - Revisanto";
inline constexpr char kToolMissingText[] =
    "Plumawit must be running with this Help project currently open in Word to perform any Revisanto operation.";
inline constexpr char kTopicExcludedText[] =
    "Unable to find topic. Information for this topic was excluded by the compiler because of the Build Tag of the "
    "previous topic.";
inline constexpr char kProjectOutOfDateText[] =
    "Unable to Revisanto this Help project. The Revisanto macros are out of date, or this Help file has been "
    "renamed. Recompile the Help project in order to use Revisanto.";

std::string MutexCreateFailedText(const HandOffNames& names);
std::string MutexTimeoutText(const HandOffNames& names);
std::string SharedBlockUnusableText(const HandOffNames& names);
std::string NullWindowText(const std::string& topicId, const std::string& fileName, const HandOffNames& names,
                           std::uint32_t window);
