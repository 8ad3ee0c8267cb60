#pragma once

#include <QString>

#include <cstdint>

class CNetCommandQueue;

// The Auto Pilot's work without its dialog: once a second, a pair of door
// commands to network A's master (lock open all four doors, then unlock
// them) until the events asked for are made, then the link is dropped.
class AutoPilot
{
public:
    enum Phase { kSending = 0, kDisconnecting = 1, kComplete = 2 };

    static constexpr std::int32_t kDefaultEventsToGenerate = 20224;
    static constexpr int kEventsPerPair = 8;
    static constexpr int kPairPauseSeconds = 2;
    static constexpr int kDisconnectPauseSeconds = 5;
    static constexpr int kTickMs = 1000;

    // Shared by every Auto Pilot of one program run, and never reset: a
    // finished run stays finished.
    struct ProgramState
    {
        int phase = kSending;
        int countdown = 0;
    };
    static ProgramState& Program();

    // The commands go to queue, through the registered communication form.
    explicit AutoPilot(CNetCommandQueue& queue) : m_queue(queue) {}

    // "Start" and "Pause": true when it runs from now on.
    bool ToggleRunning();
    bool IsRunning() const { return m_running; }
    void Tick();

    std::int32_t m_eventsToGenerate = kDefaultEventsToGenerate;
    std::int32_t EventsGenerated() const { return m_eventsGenerated; }
    QString StatusText() const { return m_status; }
    QString CountText() const;
    QString TimeText() const;

private:
    void QueueDoors(std::uint8_t action);

    CNetCommandQueue& m_queue;
    bool m_running = false;
    std::int32_t m_eventsGenerated = 0;
    std::int32_t m_countShown = 0;
    QString m_status;
};
