#pragma once

#include "link/CPanelEvent.h"

// Someone dialled in to a panel, possibly for priority access.
class CPanelEventDialIn : public CPanelEvent
{
public:
    explicit CPanelEventDialIn(const QByteArray& record);
};
