#pragma once

#include "linkforms/NewNodeCheck.h"

#include <QWizardPage>

#include <memory>

class QLabel;

// "Step 2 of 2, Controller setup": talks to the panel once; Finish waits for
// its answer.
class CWizardNewNode2 : public QWizardPage
{
    Q_OBJECT
public:
    CWizardNewNode2(CNetCommandQueue& queue, INodeCommandHost& host, int net, int node, QWidget* parent = nullptr);

    // The panel check starts each time the page is shown.
    void initializePage() override;
    bool isComplete() const override;
    NewNodeCheck& Check() { return *m_check; }
    QString StatusText() const;

private:
    void Restart();

    CNetCommandQueue& m_queue;
    INodeCommandHost& m_host;
    int m_net;
    int m_node;
    std::unique_ptr<NewNodeCheck> m_check;
    QLabel* m_status = nullptr;
};
