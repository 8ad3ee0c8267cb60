#pragma once

#include "link/CNetQueueNode.h"

// Nodes 2 to 8 of a network.
class CNetQueueNodeStd : public CNetQueueNode
{
public:
    int GetIcon(int view) const override;
};
