#include "linkforms/MonitorNetwork.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"

namespace {
constexpr int kFirstNetwork = 1;
} // namespace

CNetCommandQueue* MonitorQueue()
{
    CWFDoc* doc = GetInstallationDoc();
    return doc ? &doc->m_netQueue : nullptr;
}

int MonitorNetwork()
{
    const CNetCommandQueue* queue = MonitorQueue();
    if (!queue)
        return 0;
    const int network = queue->GetCurrentNetwork();
    return network ? network : kFirstNetwork;
}
