#include "linkforms/CDlgSetNetTime.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/CCommLink.h"
#include "link/CNetCommandQueue.h"
#include "link/LinkState.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "platform/DatabaseException.h"
#include "platform/WindowMessages.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kFinishedResult = 1;
} // namespace

CDlgSetNetTime::CDlgSetNetTime(CNetCommandQueue& queue, CCommLink& link, QWidget* parent)
    : QDialog(parent), m_queue(queue), m_link(link)
{
    setWindowTitle(tr("Set Network Time"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Setting network time..."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgSetNetTime::reject);
}

bool CDlgSetNetTime::QueueSetTime()
{
    m_net = m_queue.GetCurrentNetwork();
    bool found = false;
    try {
        found = g_setVLNetworks.IsOpen() && g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(m_net));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    if (!found || m_net < 1 || m_net > kNetworkCount) {
        // Nothing can answer a time that was never sent: the network failed.
        QTimer::singleShot(0, this, [this] { Finish(false); });
        return false;
    }
    const NetCommandData data = {g_setVLNetworks.m_DaylightSavings ? TimeSettingMode::DaylightSavingTime
                                                                   : TimeSettingMode::StandardTime,
                                 static_cast<std::uint8_t>(g_setVLNetworks.m_HoursOffset & 0xFF)};
    auto command = std::make_unique<CNetCommand>(NetKind::TimeSetting, static_cast<std::uint8_t>(m_net),
                                                 CNetCommandQueue::kMasterNode, data);
    command->m_notifyWindow = this;
    m_queue.AddCommand(command);
    m_link.ServiceQueue();
    return true;
}

void CDlgSetNetTime::Finish(bool acknowledged)
{
    m_acknowledged = acknowledged ? 1 : 0;
    if (m_net >= 1 && m_net <= kNetworkCount) {
        if (acknowledged)
            NetRunResults::Answered(m_net);
        else
            NetRunResults::Fail(m_net, QStringLiteral("The network's time was not set."));
        NetTimeSetDone[m_net - 1] = 1;
    }
    done(kFinishedResult);
}

void CDlgSetNetTime::reject()
{
    NetTimeSetDone.fill(1);
    done(kFinishedResult);
}

bool CDlgSetNetTime::event(QEvent* e)
{
    if (e->type() != AppMessageEvent::Type())
        return QDialog::event(e);
    auto* message = static_cast<AppMessageEvent*>(e);
    switch (message->msg) {
    case Msg::Ack:
        Finish(true);
        break;
    // A negative answer, and the link giving the command up, end the wait alike.
    case Msg::Nak:
    case Msg::CommandDone:
    case Msg::ConnectFailed:
        Finish(false);
        break;
    case Msg::WM_CLOSE:
        done(kFinishedResult);
        break;
    default:
        return QDialog::event(e);
    }
    message->result = 1;
    return true;
}
