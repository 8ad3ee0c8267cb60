#include "linkforms/INodeCommandHost.h"

#include "linkforms/CommFormNodeCommandHost.h"

namespace {
INodeCommandHost* g_host = nullptr;
} // namespace

INodeCommandHost& GetNodeCommandHost()
{
    static CommFormNodeCommandHost standIn;
    return g_host ? *g_host : standIn;
}

void SetNodeCommandHost(INodeCommandHost* host)
{
    g_host = host;
}
