#pragma once

#include "link/INetCommandStore.h"

#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

// Stored commands as the queue sees them, without a database: rows in the
// order stored, each with its command file in a temporary folder. Filters
// take the forms the queue writes ("Net = n", "Net = n AND Node = m",
// "Net = n AND (Node = 1 OR Node = 15)").
class FakeCommandStore : public INetCommandStore
{
public:
    struct Row
    {
        std::int32_t id;
        int net;
        int node;
    };

    bool StoreNetCommand(const CNetCommand& command) override;
    void FilterNetCommands(const QString& filter) override;
    bool GetNextStoredCommand(QString& path, std::int32_t& commandId) override;
    std::optional<SetAsideCommand> SetAsideNetCommand(std::int32_t commandId) override;
    bool HasQueuedCommand(int net, int node) override;
    int CountQueuedCommands() override;
    bool RemoveNetCommand(std::int32_t commandId) override;
    void RemoveNodeCommands(int net, int node) override;
    void RemoveAllNetCommands() override;
    int GetPendingCommandCount() const override { return static_cast<int>(m_rows.size()); }

    QString PathOf(std::int32_t id) const;
    const std::vector<Row>& Rows() const { return m_rows; }
    std::vector<QString> filters; // every filter set, in order

private:
    bool Selected(const Row& row) const;

    QTemporaryDir m_dir;
    std::vector<Row> m_rows;
    std::int32_t m_nextId = 1;
    int m_net = 0;
    std::vector<int> m_nodes;
};
