#pragma once

#include "helpbridge/CMessageSink.h"

#include <string>
#include <vector>

// Keeps every message the bridge shows; the caption must always be text 1.
class CRecordingMessageSink final : public CMessageSink
{
public:
    void Show(std::string_view caption, std::string_view text) override
    {
        captions.emplace_back(caption);
        texts.emplace_back(text);
    }

    std::vector<std::string> captions;
    std::vector<std::string> texts;
};
