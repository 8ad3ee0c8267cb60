#pragma once

#include "link/CNetQueueNode.h"

// Node 1 of a network: the master node that the link login addresses.
class CNetQueueNodeType1 : public CNetQueueNode
{
public:
    int GetIcon(int view) const override;
};
