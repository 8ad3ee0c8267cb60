#pragma once

#include "image/NodeDownloader.h"

#include <QDialog>

class CNetCommandQueue;
class INodeCommandHost;
class QLabel;
class QProgressBar;

// "Downloading Node...": reads one node's whole memory into its download
// folder and writes its view there, showing the bank and index being read.
// "Skip This Class >>" cuts the current bank short; Cancel ends at once and
// keeps what was read.
class CDownloadNodeDlg : public QDialog
{
    Q_OBJECT

public:
    // folder: the node's download folder (CWFDoc::GetDownloadFolder), ending with "/".
    CDownloadNodeDlg(CNetCommandQueue& queue, INodeCommandHost& host, QString folder, int net, int node,
                     QWidget* parent = nullptr);

    // Runs the download modally: IDOK when every bank was read and the view
    // written, IDCANCEL otherwise. Without a connection it says so and waits
    // for Cancel.
    int DoModal();

    // Cancel was pressed (the network status pane's download-cancelled flag).
    bool WasCancelled() const { return m_cancelled; }
    NodeDownloader& Downloader() { return m_downloader; }

public slots:
    // Cancel, and the window's close.
    void reject() override;

private:
    void OnFinished(int result);

    NodeDownloader m_downloader;
    QString m_nodeName;
    QLabel* m_status;
    QProgressBar* m_progress;
    bool m_cancelled = false;
    int m_result = 0;
};
