#include "linkforms/AutoPilot.h"

#include "link/CNetCommand.h"
#include "link/CNetCommandQueue.h"
#include "link/NetCommandKinds.h"
#include "linkforms/INodeCommandHost.h"

#include <memory>

namespace {
constexpr std::uint8_t kNetworkA = 1;
constexpr std::uint8_t kMasterNode = 1;
// A door control's byte for each of doors A-D.
constexpr std::uint8_t kLockOpen = 2;
constexpr std::uint8_t kUnlock = 1;
} // namespace

AutoPilot::ProgramState& AutoPilot::Program()
{
    static ProgramState state;
    return state;
}

bool AutoPilot::ToggleRunning()
{
    m_running = !m_running;
    return m_running;
}

void AutoPilot::QueueDoors(std::uint8_t action)
{
    auto command = std::make_unique<CNetCommand>(NetKind::NodeCommand, kNetworkA, kMasterNode,
                                                 NetCommandData{NodeCommandOp::NodeControl, 0, action, action, action, action});
    m_queue.AddCommand(command);
    GetNodeCommandHost().ServiceQueue();
}

void AutoPilot::Tick()
{
    ProgramState& program = Program();
    if (program.countdown != 0) {
        --program.countdown;
        return;
    }
    switch (program.phase) {
    case kSending:
        program.countdown = kPairPauseSeconds;
        if (m_eventsGenerated < m_eventsToGenerate) {
            m_eventsGenerated += kEventsPerPair;
            QueueDoors(kLockOpen);
            QueueDoors(kUnlock);
        } else {
            program.phase = kDisconnecting;
        }
        m_status = QStringLiteral("Sending events...");
        m_countShown = m_eventsGenerated;
        break;
    case kDisconnecting:
        program.countdown = kDisconnectPauseSeconds;
        m_status = QStringLiteral("Disconnecting...");
        GetNodeCommandHost().Disconnect();
        program.phase = kComplete;
        break;
    default:
        m_status = QStringLiteral("Complete - %1 events generated").arg(m_eventsGenerated);
        break;
    }
}

QString AutoPilot::CountText() const
{
    return QStringLiteral("Count: %1").arg(m_countShown);
}

QString AutoPilot::TimeText() const
{
    const int countdown = Program().countdown;
    return countdown != 0 ? QStringLiteral("Time: %1 seconds").arg(countdown) : QString();
}
