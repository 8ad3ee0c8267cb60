#include "linkforms/CommFormNodeCommandHost.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "common/ICommControlForm.h"
#include "common/SharedHelpers.h"

bool CommFormNodeCommandHost::IsConnected() const
{
    const ICommControlForm* form = GetCommControlForm();
    return form && form->IsConnected();
}

void CommFormNodeCommandHost::Disconnect()
{
    if (ICommControlForm* form = GetCommControlForm())
        form->Disconnect();
}

void CommFormNodeCommandHost::ServiceQueue()
{
    if (ICommControlForm* form = GetCommControlForm())
        form->ServiceQueue();
}

void CommFormNodeCommandHost::RemoveNodeCommands(int net, int node)
{
    CWFDoc* doc = GetInstallationDoc();
    if (!doc)
        return;
    if (CNetQueueNode* entry = doc->m_netQueue.GetNode(net, node))
        entry->ClearPending();
    doc->RemoveNodeCommands(net, node);
}

void CommFormNodeCommandHost::RemoveAllQueuedCommands()
{
    if (CWFDoc* doc = GetInstallationDoc())
        doc->RemoveAllNetCommands();
}

bool CommFormNodeCommandHost::IsDataToProgramShown() const
{
    const CWFDoc* doc = GetInstallationDoc();
    return doc && doc->GetDataToProgram() != 0;
}

void CommFormNodeCommandHost::SetDataPending()
{
    MarkDataToProgram();
}
