#pragma once

#include "image/DownloadBanks.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class CNetCommandQueue;

// Reads one node's whole memory back into its download folder, bank by bank,
// with one read on the installation's queue at a time. The link hands it each
// reply (WM_USER+10) and each final negative acknowledgement (WM_USER+18), so
// it is the notify window of its reads; it shows nothing but message boxes.
class NodeDownloader : public QObject
{
    Q_OBJECT

public:
    // Has the link send what the queue holds (the communication form's ServiceQueue).
    using SendQueued = std::function<void()>;

    // folder ends with "/"; net and node are 1-8.
    NodeDownloader(CNetCommandQueue& queue, SendQueued sendQueued, QString folder, int net, int node,
                   QObject* parent = nullptr);

    // Empties "Controller.dat" and asks for the first block.
    void Start();
    // The bank being read ends after the block in flight; the settings image
    // and the display messages are always read whole.
    void SkipClass() { m_skip = 1; }
    // Nothing more is asked for; a reply still on its way is dropped.
    void Stop() { m_running = false; }

    bool IsRunning() const { return m_running; }
    int Bank() const { return m_bank; }
    int Index() const { return m_index; }
    int BlockSize() const { return m_blockSize; }
    int ProgressMax() const { return DownloadBanks::Of(m_bank).progressMax; }
    const QString& StatusText() const { return m_status; }
    const QString& Folder() const { return m_folder; }

    // Short replies to one block after which the download fails.
    static constexpr int kMaxShortReplies = 5;

signals:
    void statusChanged(const QString& text);
    void progressChanged(int position, int maximum);
    // IDOK when every bank was stored and the view written; IDCANCEL when
    // the download failed.
    void finished(int result);

protected:
    bool event(QEvent* event) override;

private:
    void RequestBlock();
    void RetryBlock();
    void OnMemoryData(int length, const char* record);
    void OnNakReceived(unsigned reason);
    // True when the block just stored was the last one.
    bool NextBlock(bool skip);
    void BeginBank(int bank);
    // The view of the whole download in its folder; false after its message.
    bool WriteHtmlView() const;
    bool AppendBlock(const char* data);
    void SetStatus(const QString& text);
    void End(int result);

    CNetCommandQueue& m_queue;
    SendQueued m_sendQueued;
    QString m_folder;
    std::uint8_t m_net;
    std::uint8_t m_node;
    bool m_running = false;
    int m_skip = 0;
    int m_bank = DownloadBanks::kSettings;
    int m_index = 0;
    int m_blockSize = 0;
    int m_shortReplies = 0;
    QString m_status;
};
