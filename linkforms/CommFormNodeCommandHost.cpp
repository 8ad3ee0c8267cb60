#include "linkforms/CommFormNodeCommandHost.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "common/ICommControlForm.h"
#include "common/SharedHelpers.h"
#include "link/CCommLink.h"
#include "linkforms/CCommControlForm.h"

CCommControlForm* CommFormNodeCommandHost::LinkForm()
{
    return dynamic_cast<CCommControlForm*>(GetCommControlForm());
}

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

int CommFormNodeCommandHost::GetSelectedNetwork() const
{
    const ICommControlForm* form = GetCommControlForm();
    return form ? form->GetSelectedNetwork() : 0;
}

bool CommFormNodeCommandHost::HasNetwork(int net) const
{
    const CCommControlForm* form = LinkForm();
    return form && form->HasNetwork(net);
}

void CommFormNodeCommandHost::FillNetworkCombo()
{
    if (CCommControlForm* form = LinkForm())
        form->FillNetworkCombo();
}

void CommFormNodeCommandHost::SetErrorText(const QString& text)
{
    if (CCommControlForm* form = LinkForm())
        form->SetErrorText(text);
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
    if (const CCommControlForm* form = LinkForm())
        return form->IsDataToProgramShown();
    const CWFDoc* doc = GetInstallationDoc();
    return doc && doc->GetDataToProgram() != 0;
}

void CommFormNodeCommandHost::SetDataPending()
{
    MarkDataToProgram();
}

void CommFormNodeCommandHost::MarkNodeForReprogram(std::uint8_t address)
{
    if (CCommControlForm* form = LinkForm(); form && form->Link())
        form->Link()->MarkNodeForReprogram(address);
}

void CommFormNodeCommandHost::PollNode(int flag)
{
    if (CCommControlForm* form = LinkForm(); form && form->Link())
        form->Link()->PollNode(flag);
}

void CommFormNodeCommandHost::CollectEventLogs()
{
    if (CCommControlForm* form = LinkForm())
        form->OnEventlog();
}
