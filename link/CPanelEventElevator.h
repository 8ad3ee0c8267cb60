#pragma once

#include "link/CPanelEventGeneric.h"

// An elevator cab's relays opened or closed.
class CPanelEventElevator : public CPanelEventGeneric
{
public:
    explicit CPanelEventElevator(const QByteArray& record);
};
