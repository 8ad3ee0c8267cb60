#include "linkforms/CWizardNewNode2.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWizard>

CWizardNewNode2::CWizardNewNode2(CNetCommandQueue& queue, INodeCommandHost& host, int net, int node, QWidget* parent)
    : QWizardPage(parent), m_queue(queue), m_host(host), m_net(net), m_node(node)
{
    setTitle(QStringLiteral("Step 2 of 2, Controller setup"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("The node must be configured after it is installed: see Node Setup in the "
                                           "help file."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    m_status = new QLabel(this);
    layout->addWidget(m_status);
    layout->addStretch();
    setFinalPage(true);
}

void CWizardNewNode2::Restart()
{
    // A check of an earlier visit may still get its reply: it goes with its object.
    m_check = std::make_unique<NewNodeCheck>(m_queue, m_host, m_net, m_node);
    connect(m_check.get(), &NewNodeCheck::answered, this, &CWizardNewNode2::completeChanged);
    connect(m_check.get(), &NewNodeCheck::textChanged, m_status, &QLabel::setText);
    m_status->clear();
}

void CWizardNewNode2::initializePage()
{
    if (wizard())
        wizard()->setWindowTitle(title());
    Restart();
    emit completeChanged();
    m_check->Start();
}

bool CWizardNewNode2::isComplete() const
{
    return m_check && m_check->HasAnswered();
}

QString CWizardNewNode2::StatusText() const
{
    return m_status->text();
}
