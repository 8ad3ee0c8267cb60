#pragma once

#include "link/EventLogCollector.h"

#include <QDialog>

class CCommLink;
class CNetCommandQueue;
class IInstallationDocument;
class QLabel;
class QProgressBar;

// "Polling network for new events...": shows the collection of the current
// network's event logs node by node; "&Stop" ends it after the block being
// read. The communication form opens it with DoModal.
class CEventPollDlg : public QDialog
{
    Q_OBJECT

public:
    CEventPollDlg(CCommLink& link, CNetCommandQueue& queue, IInstallationDocument& document, QWidget* parent = nullptr);

    // Runs the collection to its end: -1 without a connection (after its
    // message); 1 once the dialog has closed, also when there was no node
    // to ask ("Error polling for events.", not in the scheduled update).
    int DoModal();

    const EventLogCollector& Collector() const { return m_collector; }

public slots:
    // The Stop button and the window's close ask for a stop; the dialog
    // closes when the block being read is stored.
    void reject() override;

private:
    void OnNodeStarted(const QString& label);

    EventLogCollector m_collector;
    QLabel* m_controller;
    QLabel* m_retrieved;
    QProgressBar* m_progress;
};
