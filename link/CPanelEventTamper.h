#pragma once

#include "link/CPanelEventGeneric.h"

// The panel's tamper switch opened or closed.
class CPanelEventTamper : public CPanelEventGeneric
{
public:
    explicit CPanelEventTamper(const QByteArray& record);
};
