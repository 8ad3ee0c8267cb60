#include "database/CSetNetNodesOld.h"

#include "database/DatabaseFiles.h"

CSetNetNodesOld::CSetNetNodesOld()
    : CSetVLNetworks(DatabaseFiles::NetworkNodesOld)
{
}
