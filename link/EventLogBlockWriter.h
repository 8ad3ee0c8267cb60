#pragma once

#include <QByteArray>
#include <QDateTime>

#include <cstdint>
#include <memory>

class PendingEventBlocks;

// Turns event-log blocks (reply 11, from the address byte) into rows of the
// open event log. A block's rows and the note that its acknowledgement is
// still unconfirmed commit together, so a block is either wholly stored or
// not at all, and the same block sent again is known.
class EventLogBlockWriter
{
public:
    static constexpr int kAddress = 0;
    static constexpr int kCount = 2;
    static constexpr int kFirstEvent = 3;

    enum class Outcome { Stored, Repeated };

    explicit EventLogBlockWriter(std::uint8_t directoryCodeLength);
    ~EventLogBlockWriter();

    // The block's bytes from the address byte through its last event, or
    // empty when record (length bytes) is too short for its count.
    static QByteArray BlockOf(const QByteArray& record);

    // Stores the block's events, or nothing when the node's unconfirmed block
    // is this one. The operator's notices are shown after the commit. A
    // database error leaves nothing of the block and passes on.
    Outcome Write(const QByteArray& block);
    // The panel has dropped the node's last block: its acknowledgement
    // arrived, or the node has nothing more.
    void Confirm(std::uint8_t netNode);

    int EventsStored() const { return m_eventsStored; }
    const QDateTime& LastTime() const { return m_lastTime; }

private:
    PendingEventBlocks& Pending();

    std::uint8_t m_directoryCodeLength;
    std::unique_ptr<PendingEventBlocks> m_pending;
    QDateTime m_lastTime;
    int m_eventsStored = 0;
};
