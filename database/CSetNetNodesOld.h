#pragma once

#include "database/CSetVLNetworks.h"

// The older copy of the networks table that the node-table conversion meets;
// an installation never opens it.
class CSetNetNodesOld : public CSetVLNetworks
{
public:
    CSetNetNodesOld();
};
