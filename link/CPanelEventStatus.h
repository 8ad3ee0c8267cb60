#pragma once

#include "link/CPanelEventGeneric.h"

// The panel reports a fault of its own screen or database.
class CPanelEventStatus : public CPanelEventGeneric
{
public:
    explicit CPanelEventStatus(const QByteArray& record);
};
