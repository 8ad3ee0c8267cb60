#pragma once

#include "link/CPanelEventGeneric.h"

// A credential or entry code the panel does not know.
class CPanelEventUnknownCredential : public CPanelEventGeneric
{
public:
    explicit CPanelEventUnknownCredential(const QByteArray& record);
};
