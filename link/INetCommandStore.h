#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class CNetCommand;

// A stored command whose file did not load, taken out of the queue.
struct SetAsideCommand
{
    int net = 0;
    int node = 0;
    QString fileName;
    // The name the file is kept under; empty when it could not be kept.
    QString keptAs;
};

// Where the queue keeps the commands it accepts until they are sent: the
// NetCommands rows and their files. The installation's document implements it.
class INetCommandStore
{
public:
    virtual ~INetCommandStore() = default;

    // Stores the command as a NetCommands row and its file; false when it
    // could not be kept.
    virtual bool StoreNetCommand(const CNetCommand& command) = 0;

    // Selects the rows the calls below see: every stored command when the
    // filter is empty, else those the filter names ("Net = 1 AND Node = 2").
    virtual void FilterNetCommands(const QString& filter) = 0;
    // The first selected row, in the order stored, whose node's commands do
    // not wait and whose file exists; rows whose file is gone are removed on
    // the way. A row whose name is no plain file name comes back with an
    // empty path, to be set aside unread. False at the end of the rows.
    virtual bool GetNextStoredCommand(QString& path, std::int32_t& commandId) = 0;
    // Takes the row out of the queue and keeps its file aside under a name
    // that says it did not load, so it is never sent; the pending count drops
    // by one. Nothing when the row is not found.
    virtual std::optional<SetAsideCommand> SetAsideNetCommand(std::int32_t commandId) = 0;
    // Whether a selected row is for that network and node.
    virtual bool HasQueuedCommand(int net, int node) = 0;
    virtual int CountQueuedCommands() = 0;

    // Deletes the row and its file; the pending count drops by one.
    virtual bool RemoveNetCommand(std::int32_t commandId) = 0;
    virtual void RemoveNodeCommands(int net, int node) = 0;
    // Removes every selected row with its file.
    virtual void RemoveAllNetCommands() = 0;
    virtual int GetPendingCommandCount() const = 0;
};
