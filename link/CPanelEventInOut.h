#pragma once

#include "link/CPanelEventGeneric.h"

// An anti-passback violation at a door, going in or out.
class CPanelEventInOut : public CPanelEventGeneric
{
public:
    explicit CPanelEventInOut(const QByteArray& record);
};
