#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>

class DurableFiles;

// The six small data bytes d0 to d5 given to the constructor by kind.
using NetCommandData = std::array<std::uint8_t, 6>;

// One request to the panels of a network: what to send, the reply that
// completes it, how long to wait and how often to retry, and the status lines
// shown while it is sent, when it is done and when it fails.
class CNetCommand
{
public:
    CNetCommand() = default;

    // A command of the given kind for a node. Whether the node has stored
    // work decides the retries of a link login or a status poll; the caller
    // knows it from the queue and the command table.
    CNetCommand(std::uint8_t kind, std::uint8_t network, std::uint8_t node,
                const NetCommandData& data = {}, bool nodeHasStoredWork = false);

    // A panel memory write (kind 7). data holds the bank, the first unit
    // (2 bytes), the count (2 bytes) and the data bytes.
    static CNetCommand CNetCommandMemoryUpdate(std::uint8_t frameAddress, QByteArray data);

    // "NetCommands%d.dat": the file of the stored command with that identifier.
    static QString FileName(std::int32_t commandId);
    // The name a command file that did not load is kept under, beside the others.
    static QString UnreadableFileName(const QString& fileName);

    // Writes the command file and makes it durable; the file appears whole
    // or not at all.
    bool SaveToFile(const QString& path) const;
    // The same, durable with the next sync of files.
    bool SaveToFile(const QString& path, DurableFiles& files) const;
    // Reads a command file and takes commandId as the identifier. A file that
    // cannot be read, ends early or holds lengths past its end leaves the
    // command as it was and gives false.
    bool LoadFromFile(const QString& path, std::int32_t commandId);

    std::int32_t m_nCommandID = 0;
    QString m_strSending;
    QString m_strDone;
    QString m_strFailed;
    QString m_strPassword;
    std::uint8_t m_nodeAddress = 0;
    std::int32_t m_kind = 0;
    std::int32_t m_timeout = 0;
    std::uint8_t m_retries = 0;
    std::int32_t m_expectedReply = 0;
    std::uint8_t m_frameAddress = 0;
    QByteArray m_payload;
    // Gone with its window: a reply for a closed window reaches nobody.
    QPointer<QObject> m_notifyWindow;
};
