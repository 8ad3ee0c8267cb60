#pragma once

#include <string_view>

// Where the library's message boxes go: no owner, information icon, OK.
class CMessageSink
{
public:
    virtual ~CMessageSink() = default;
    virtual void Show(std::string_view caption, std::string_view text) = 0;
};
