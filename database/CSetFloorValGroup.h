#pragma once

#include "database/CSetDoorValGroup.h"

// The floor validation groups: the same table in its own file.
class CSetFloorValGroup : public CSetDoorValGroup
{
public:
    CSetFloorValGroup();

protected:
    QString AllAccessText() const override;
};
