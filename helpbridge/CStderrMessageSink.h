#pragma once

#include "helpbridge/CMessageSink.h"

// With no desktop to own a box, the messages go to standard error: the
// caption, then the text.
class CStderrMessageSink final : public CMessageSink
{
public:
    void Show(std::string_view caption, std::string_view text) override;
};
