#pragma once

#include "helpbridge/CSharedBlockView.h"

#include <memory>

// An opened named block of the authoring tool; the handle is closed when
// destroyed.
class CSharedBlock
{
public:
    virtual ~CSharedBlock() = default;
    // Null when no view can be mapped.
    virtual std::unique_ptr<CSharedBlockView> MapView() = 0;
};
