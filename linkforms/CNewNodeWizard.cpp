#include "linkforms/CNewNodeWizard.h"

#include "linkforms/CWizardNewNode1.h"
#include "linkforms/CWizardNewNode2.h"

CNewNodeWizard::CNewNodeWizard(CNetCommandQueue& queue, INodeCommandHost& host, int net, int node, QWidget* parent)
    : QWizard(parent), m_names(new CWizardNewNode1(this)), m_setup(new CWizardNewNode2(queue, host, net, node, this))
{
    setWindowTitle(QStringLiteral("Properties for the new node"));
    addPage(m_names);
    addPage(m_setup);
}

NewNodeNames CNewNodeWizard::Names() const
{
    return m_names->Names();
}
