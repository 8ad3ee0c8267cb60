#pragma once

#include "link/CPanelEventGeneric.h"

// A credential or entry code was refused; the cardholder who owns it is the activator.
class CPanelEventDeniedCode : public CPanelEventGeneric
{
public:
    explicit CPanelEventDeniedCode(const QByteArray& record);
};
