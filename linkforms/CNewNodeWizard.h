#pragma once

#include "linkforms/NewNodeNames.h"

#include <QWizard>

class CNetCommandQueue;
class CWizardNewNode1;
class CWizardNewNode2;
class INodeCommandHost;

// "Properties for the new node": the names, then one talk with the panel at
// the node before Finish is offered.
class CNewNodeWizard : public QWizard
{
    Q_OBJECT
public:
    CNewNodeWizard(CNetCommandQueue& queue, INodeCommandHost& host, int net, int node, QWidget* parent = nullptr);

    CWizardNewNode1& NamesPage() const { return *m_names; }
    CWizardNewNode2& SetupPage() const { return *m_setup; }
    // The names of page 1, settled.
    NewNodeNames Names() const;

private:
    CWizardNewNode1* m_names;
    CWizardNewNode2* m_setup;
};
