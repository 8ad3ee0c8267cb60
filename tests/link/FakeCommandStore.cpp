#include "tests/link/FakeCommandStore.h"

#include "link/CNetCommand.h"
#include "link/LinkState.h"
#include "link/NodeAddress.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>

bool FakeCommandStore::StoreNetCommand(const CNetCommand& command)
{
    const Row row{m_nextId++, command.m_frameAddress >> NodeAddress::kNetworkShift,
                  command.m_frameAddress & NodeAddress::kLowNibble};
    if (!command.SaveToFile(PathOf(row.id)))
        return false;
    m_rows.push_back(row);
    return true;
}

void FakeCommandStore::FilterNetCommands(const QString& filter)
{
    filters.push_back(filter);
    m_net = 0;
    m_nodes.clear();
    static const QRegularExpression number(QStringLiteral("\\d+"));
    auto it = number.globalMatch(filter);
    if (it.hasNext())
        m_net = it.next().captured().toInt();
    while (it.hasNext())
        m_nodes.push_back(it.next().captured().toInt());
}

bool FakeCommandStore::Selected(const Row& row) const
{
    return (m_net == 0 || row.net == m_net)
        && (m_nodes.empty() || std::find(m_nodes.begin(), m_nodes.end(), row.node) != m_nodes.end());
}

bool FakeCommandStore::GetNextStoredCommand(QString& path, std::int32_t& commandId)
{
    for (auto row = m_rows.begin(); row != m_rows.end();) {
        const int node = row->node == NodeAddress::kAllNodes ? 1 : row->node;
        if (!Selected(*row) || (IsNodeInRange(row->net, node) && NodeStatusFlag[row->net - 1][node - 1])) {
            ++row;
            continue;
        }
        if (QFile::exists(PathOf(row->id))) {
            path = PathOf(row->id);
            commandId = row->id;
            return true;
        }
        row = m_rows.erase(row);
    }
    return false;
}

std::optional<SetAsideCommand> FakeCommandStore::SetAsideNetCommand(std::int32_t commandId)
{
    const auto row = std::find_if(m_rows.begin(), m_rows.end(), [&](const Row& r) { return r.id == commandId; });
    if (row == m_rows.end())
        return std::nullopt;
    SetAsideCommand setAside{row->net, row->node, CNetCommand::FileName(commandId), QString()};
    const QString keptAs = CNetCommand::UnreadableFileName(setAside.fileName);
    if (QFile::rename(PathOf(commandId), m_dir.filePath(keptAs)))
        setAside.keptAs = keptAs;
    m_rows.erase(row);
    return setAside;
}

bool FakeCommandStore::HasQueuedCommand(int net, int node)
{
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [&](const Row& row) { return Selected(row) && row.net == net && row.node == node; });
}

int FakeCommandStore::CountQueuedCommands()
{
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [&](const Row& row) { return Selected(row); }));
}

bool FakeCommandStore::RemoveNetCommand(std::int32_t commandId)
{
    const auto row = std::find_if(m_rows.begin(), m_rows.end(), [&](const Row& r) { return r.id == commandId; });
    if (row == m_rows.end())
        return false;
    QFile::remove(PathOf(commandId));
    m_rows.erase(row);
    return true;
}

void FakeCommandStore::RemoveNodeCommands(int net, int node)
{
    std::erase_if(m_rows, [&](const Row& row) {
        if (row.net != net || row.node != node)
            return false;
        QFile::remove(PathOf(row.id));
        return true;
    });
}

void FakeCommandStore::RemoveAllNetCommands()
{
    std::erase_if(m_rows, [&](const Row& row) {
        if (!Selected(row))
            return false;
        QFile::remove(PathOf(row.id));
        return true;
    });
}

QString FakeCommandStore::PathOf(std::int32_t id) const
{
    return m_dir.filePath(CNetCommand::FileName(id));
}
