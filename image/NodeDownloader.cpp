#include "image/NodeDownloader.h"

#include "common/InstallationPaths.h"
#include "image/NodeHtmlView.h"
#include "link/CNetCommand.h"
#include "link/CNetCommandQueue.h"
#include "link/NetCommandKinds.h"
#include "link/MemoryBankNames.h"
#include "link/WireFrame.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QFile>

#include <memory>

namespace {
// A reply record starts at its address byte; the data follow the reply code.
constexpr int kReplyDataOffset = 2;
const char* const kCrcRetryText = "CRC error, retrying...";

std::uint8_t HighByte(int value)
{
    return static_cast<std::uint8_t>(value >> 8);
}

std::uint8_t LowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}
} // namespace

NodeDownloader::NodeDownloader(CNetCommandQueue& queue, SendQueued sendQueued, QString folder, int net, int node,
                               QObject* parent)
    : QObject(parent), m_queue(queue), m_sendQueued(std::move(sendQueued)), m_folder(std::move(folder)),
      m_net(static_cast<std::uint8_t>(net)), m_node(static_cast<std::uint8_t>(node))
{
}

void NodeDownloader::Start()
{
    m_running = true;
    m_skip = 0;
    m_shortReplies = 0;
    BeginBank(DownloadBanks::kSettings);
    RequestBlock();
}

void NodeDownloader::BeginBank(int bank)
{
    m_bank = bank;
    m_index = 0;
    m_blockSize = DownloadBanks::Of(bank).block;
    // Each bank starts from an empty file, and only when its turn comes.
    QFile::remove(m_folder + DownloadBanks::FileName(bank));
    emit progressChanged(m_index, ProgressMax());
}

void NodeDownloader::RequestBlock()
{
    // The request bytes follow d0: bank, index and size, both big-endian.
    const NetCommandData data = {0, static_cast<std::uint8_t>(m_bank), HighByte(m_index), LowByte(m_index),
                                 HighByte(m_blockSize), LowByte(m_blockSize)};
    auto read = std::make_unique<CNetCommand>(NetKind::MemoryRead, m_net, m_node, data);
    read->m_notifyWindow = this;
    if (!m_queue.AddCommand(read)) {
        // A node without a queue entry would never answer.
        End(IDCANCEL);
        return;
    }
    if (m_sendQueued)
        m_sendQueued();
    SetStatus(QStringLiteral("Downloading %1, index %2...").arg(MemoryBankName(m_bank), QString::number(m_index)));
}

void NodeDownloader::RetryBlock()
{
    RequestBlock();
    if (m_running)
        SetStatus(QString::fromLatin1(kCrcRetryText));
}

bool NodeDownloader::event(QEvent* event)
{
    if (event->type() != AppMessageEvent::Type())
        return QObject::event(event);
    auto* message = static_cast<AppMessageEvent*>(event);
    if (message->msg == Msg::MemoryData) {
        OnMemoryData(static_cast<int>(message->wParam), reinterpret_cast<const char*>(message->lParam));
        message->result = 1;
    } else if (message->msg == Msg::Nak) {
        OnNakReceived(static_cast<unsigned>(message->wParam));
    }
    return true;
}

void NodeDownloader::OnMemoryData(int length, const char* record)
{
    if (!m_running || !record)
        return;
    // Writing a reply shorter than its block would read past the frame: it
    // counts as a garbled reply, and the block is asked for again.
    if (length - Frame::kLengthOverhead < m_blockSize) {
        if (++m_shortReplies >= kMaxShortReplies)
            End(IDCANCEL);
        else
            RetryBlock();
        return;
    }
    if (!AppendBlock(record + kReplyDataOffset))
        return;
    m_shortReplies = 0;
    const bool skip = m_skip != 0;
    if (NextBlock(skip))
        End(WriteHtmlView() ? IDOK : IDCANCEL);
    else
        RequestBlock();
}

bool NodeDownloader::AppendBlock(const char* data)
{
    QFile file(m_folder + DownloadBanks::FileName(m_bank));
    // An unopenable file drops the block and asks for nothing more.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(data, m_blockSize) == m_blockSize && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        ShowMessageBox(QString::fromLatin1(NodeHtmlView::kWriteErrorText));
        End(IDCANCEL);
        return false;
    }
    return true;
}

bool NodeDownloader::NextBlock(bool skip)
{
    m_skip = 0;
    if (m_bank == DownloadBanks::kDisplayMessages)
        return true;
    const DownloadBank& bank = DownloadBanks::Of(m_bank);
    m_index += bank.step;
    const bool skipped = skip && m_bank != DownloadBanks::kSettings;
    if (m_index >= bank.limit || skipped) {
        BeginBank(m_bank + 1);
        return false;
    }
    if (m_index + m_blockSize / bank.recordSize > bank.limit)
        m_blockSize = (bank.limit - m_index) * bank.recordSize;
    emit progressChanged(m_index, ProgressMax());
    return false;
}

bool NodeDownloader::WriteHtmlView() const
{
    int major = -1;
    int minor = -1;
    if (const CNetQueueNode* entry = m_queue.GetNode(m_net, m_node))
        entry->GetFirmwareVersion(major, minor);
    const QString htmlFolder = InstallationPaths::BuildPath(InstallationPaths::kProgramHtml, QString(), QString());
    return NodeHtmlView::Write(m_folder, htmlFolder, major, minor, Clock::Current().NowLocal());
}

void NodeDownloader::OnNakReceived(unsigned reason)
{
    if (!m_running)
        return;
    switch (reason) {
    case Frame::kNakCrcError:
        RetryBlock();
        break;
    case Frame::kNakWrongPassword:
        ShowMessageBox(QStringLiteral("Wrong password."));
        End(IDCANCEL);
        break;
    case Frame::kNakTimeOut:
        ShowMessageBox(QStringLiteral("NAK received with type 'TIMEOUT'."));
        End(IDCANCEL);
        break;
    default:
        break;
    }
}

void NodeDownloader::SetStatus(const QString& text)
{
    m_status = text;
    emit statusChanged(m_status);
}

void NodeDownloader::End(int result)
{
    m_running = false;
    emit finished(result);
}
