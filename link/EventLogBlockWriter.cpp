#include "link/EventLogBlockWriter.h"

#include "database/GlobalRecordsets.h"
#include "database/PendingEventBlocks.h"
#include "link/StoredEventRules.h"
#include "platform/DatabaseException.h"
#include "platform/DatabaseTransaction.h"
#include "platform/MessageBox.h"

namespace {
// Where a stored event with no valid time of its own starts counting from.
const QDateTime kFirstPreviousTime(QDate(2000, 1, 1), QTime(12, 0, 0));

// After a failed write: the block's rows are taken back and the recordset
// forgets them. The first error is the one reported, so later ones are not.
void TakeBack(DatabaseTransaction& transaction)
{
    const auto quietly = [](auto step) {
        try {
            step();
        } catch (const DatabaseException&) {
        }
    };
    quietly([] { g_setEventLog.CancelUpdate(); });
    quietly([&] { transaction.Rollback(); });
    quietly([] { g_setEventLog.Requery(); });
}
} // namespace

EventLogBlockWriter::EventLogBlockWriter(std::uint8_t directoryCodeLength)
    : m_directoryCodeLength(directoryCodeLength), m_lastTime(kFirstPreviousTime)
{
}

EventLogBlockWriter::~EventLogBlockWriter() = default;

QByteArray EventLogBlockWriter::BlockOf(const QByteArray& record)
{
    if (record.size() <= kCount)
        return {};
    const int size = kFirstEvent + static_cast<std::uint8_t>(record[kCount]) * StoredEvent::kSize;
    return record.size() < size ? QByteArray() : record.left(size);
}

PendingEventBlocks& EventLogBlockWriter::Pending()
{
    if (!m_pending)
        m_pending = std::make_unique<PendingEventBlocks>(g_setEventLog.GetDefaultDBName());
    return *m_pending;
}

EventLogBlockWriter::Outcome EventLogBlockWriter::Write(const QByteArray& block)
{
    const std::uint8_t address = static_cast<std::uint8_t>(block[kAddress]);
    const int count = static_cast<std::uint8_t>(block[kCount]);
    PendingEventBlocks& pending = Pending();
    if (pending.IsKept(address, block))
        return Outcome::Repeated;

    QDateTime lastTime = m_lastTime;
    QStringList notices;
    DatabaseTransaction transaction(pending.Path());
    try {
        for (int i = 0; i < count; ++i) {
            g_setEventLog.AddNew();
            StoredEvent::FillRow(g_setEventLog, address, block.mid(kFirstEvent + i * StoredEvent::kSize, StoredEvent::kSize),
                                 m_directoryCodeLength, lastTime, notices);
            g_setEventLog.Update();
        }
        pending.Keep(address, block);
        transaction.Commit();
    } catch (const DatabaseException&) {
        TakeBack(transaction);
        throw;
    }
    m_lastTime = lastTime;
    m_eventsStored += count;
    g_setEventLog.Requery();
    for (const QString& notice : notices)
        ShowMessageBox(notice);
    return Outcome::Stored;
}

void EventLogBlockWriter::Confirm(std::uint8_t netNode)
{
    Pending().Forget(netNode);
}
