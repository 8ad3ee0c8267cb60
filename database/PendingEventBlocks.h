#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

class Database;

// The event-log block of each node whose rows are stored but whose
// acknowledgement is not yet known to have reached the panel. It lives in
// the event log's own file, so it commits with the rows: a panel that never
// saw the acknowledgement sends the same block again, and that block is
// then recognised instead of stored twice. Errors throw DatabaseException.
class PendingEventBlocks
{
public:
    // The event log's file, which must be open.
    explicit PendingEventBlocks(const QString& eventLogPath);

    // True when the node's kept block is this one, byte for byte.
    bool IsKept(std::uint8_t netNode, const QByteArray& block);
    void Keep(std::uint8_t netNode, const QByteArray& block);
    void Forget(std::uint8_t netNode);
    QString Path() const;

private:
    std::shared_ptr<Database> m_database;
};
