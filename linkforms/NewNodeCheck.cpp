#include "linkforms/NewNodeCheck.h"

#include "common/SharedHelpers.h"
#include "link/CNetCommand.h"
#include "link/CNetCommandQueue.h"
#include "link/NetCommandKinds.h"
#include "linkforms/INodeCommandHost.h"
#include "platform/WindowMessages.h"

#include <memory>

namespace {

// Bank 0, address 0, 4 bytes: the request bytes after d0.
constexpr std::uint8_t kReadSize = 4;
constexpr int kReplyFirst = 3;
constexpr int kReplyLength = 3;
const QByteArray kNoReply = QByteArrayLiteral("XXX");

} // namespace

NewNodeCheck::NewNodeCheck(CNetCommandQueue& queue, INodeCommandHost& host, int net, int node, QObject* parent)
    : QObject(parent), m_queue(queue), m_host(host), m_net(net), m_node(node), m_reply(kNoReply)
{
}

void NewNodeCheck::Start()
{
    if (!RequireConnection(true))
        return;
    auto read = std::make_unique<CNetCommand>(NetKind::MemoryRead, static_cast<std::uint8_t>(m_net),
                                              static_cast<std::uint8_t>(m_node),
                                              NetCommandData{0, 0, 0, 0, 0, kReadSize});
    read->m_notifyWindow = this;
    if (m_queue.AddCommand(read))
        m_host.ServiceQueue();
}

bool NewNodeCheck::event(QEvent* event)
{
    if (event->type() != AppMessageEvent::Type())
        return QObject::event(event);
    auto* message = static_cast<AppMessageEvent*>(event);
    if (message->msg == Msg::MemoryData) {
        OnMemoryData(static_cast<int>(message->wParam), reinterpret_cast<const char*>(message->lParam));
        message->result = 1;
    } else if (message->msg == Msg::Nak) {
        OnNak(static_cast<unsigned>(message->wParam));
    }
    return true;
}

void NewNodeCheck::OnMemoryData(int length, const char* record)
{
    // A reply too short to hold the bytes is not an answer.
    if (!record || length < kReplyFirst + kReplyLength)
        return;
    m_reply = QByteArray(record + kReplyFirst, kReplyLength);
    m_answered = true;
    emit answered();
}

void NewNodeCheck::OnNak(unsigned reason)
{
    static const char* const kTexts[] = {"CRC error, retrying...", "Wrong passwork.", "Time out."};
    if (reason < 1 || reason > std::size(kTexts))
        return;
    m_text = QString::fromLatin1(kTexts[reason - 1]);
    emit textChanged(m_text);
}
