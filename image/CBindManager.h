#pragma once

#include "image/DirectoryWorkArea.h"
#include "image/RunsCache.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class IBindDocument;
class INetCommandSink;

// Drives a programming run's three phases over the paged binders: binding the
// site database into panel files, generating for one node the memory writes
// that bring it up to the current files, and recording the files as sent.
// It also owns the two file kinds without a binder: the display-message sets
// (bank 8) and the controller image (bank 0). A fresh manager serves each run.
class CBindManager
{
public:
    static constexpr int kMaxWriteLength = 4096;
    static constexpr int kWriteHeaderLength = 5;
    static constexpr int kImageUnit = 4096;
    static constexpr std::uint8_t kImageBank = 0;
    static constexpr std::uint8_t kDisplayMessageBank = 8;
    static constexpr int kDisplayMessageFiles = 8;
    static constexpr int kStartTimeout = 30000;
    static constexpr int kEndTimeout = 3000;

    // Commands go to the document's queue, or to the sink given.
    explicit CBindManager(IBindDocument& doc);
    CBindManager(IBindDocument& doc, INetCommandSink& sink);

    // Runs every binder (the display messages and the full-run-only binders
    // too unless partial); stops at the first that fails.
    int BindAll(DirectoryWorkArea& workArea, int partial);
    // nodeCode = network x 10 + node. Queues what the node needs and, when
    // anything was stored for it, the end command.
    int GenerateNetworkCommands(std::uint8_t nodeCode, int force, int partial, int forceMessages);
    // Keeps the node's own files, as GenerateNetworkCommands compared them,
    // for RecordNodesSent: called once every command of the node is stored.
    void KeepNodeSent();
    // Records the files kept since as sent, together: called once the
    // commands stored for their nodes are durable and committed.
    int RecordNodesSent();
    // Keeps the bound files for RecordNodesSent, which copies them into the
    // last-programmed folder with the nodes' own.
    int StoreInstallationState(int full);
    // False when the settings image could not be written back.
    bool RebuildTimeZoneOrder();

    // Compares current, the bytes of name in the controller folder, with the
    // node's last-programmed copy in units of unit bytes and queues a memory
    // write of bank for each run of differing units. 0 when the copy exists
    // but cannot be read or a write cannot be stored. Callers hold back a
    // file that must not reach the panels (ReadSendableFile).
    int GenerateUnitCommands(const QByteArray& current, std::uint8_t nodeCode, int unit, std::uint8_t bank,
                             const QString& name, int force);
    // Reads name from the controller folder and compares it as above; a file
    // held back sends nothing and is logged, and the run goes on.
    int GenerateFileCommands(std::uint8_t nodeCode, int unit, std::uint8_t bank, const QString& name, int force);
    // Keeps name for RecordNodesSent, which records it as sent. A file held
    // back keeps its copy in the last-programmed folder.
    void StoreFile(const QString& name);
    // The current file name, or none when it must not reach the panels: its
    // name is not a plain file name, it is missing or unreadable, or shorter
    // than its last-programmed copy without this run's bind having made it
    // so. why then says which.
    std::optional<QByteArray> ReadSendableFile(const QString& name, QString& why) const;
    // Names a file this run's bind wrote: it may be shorter than its copy,
    // and its end clears what the panels hold past it.
    void NoteBoundFile(const QString& name) { m_boundFiles.insert(name); }
    bool QueueMemoryWrite(std::uint8_t bank, int unitNumber, const QByteArray& data, std::uint8_t nodeByte);
    bool QueueEndOfUpdate(int net, int node);

    int BindDisplayMessages();
    int StoreDisplayMessages();

    QString ControllerFolder() const;
    QString LastProgrammedFolder() const;
    // The run's directory work area; null outside BindAll.
    DirectoryWorkArea* WorkArea() const { return m_workArea; }
    IBindDocument& Document() const { return m_doc; }
    // What the files shared by the nodes need, worked out once per run.
    RunsCache& Runs() { return m_runs; }
    // Commands stored since the current node's generation began.
    int StoredForNode() const { return m_storedForNode; }

private:
    int DisplayMessageCommands(std::uint8_t nodeCode, int force);
    int ControllerImageCommands(std::uint8_t nodeCode, int force);
    bool Store(const class CNetCommand& command);
    void LogHeldBack(const QString& name, const QString& why, std::uint8_t nodeCode) const;

    IBindDocument& m_doc;
    INetCommandSink& m_sink;
    DirectoryWorkArea* m_workArea = nullptr;
    int m_storedForNode = 0;
    QSet<QString> m_boundFiles;
    std::vector<std::pair<QString, QByteArray>> m_nodeCopies; // of the node being generated
    std::vector<std::pair<QString, QByteArray>> m_sentCopies; // written by RecordNodesSent
    RunsCache m_runs;
};

// Node byte of a command: network in the high nibble, node in the low one.
std::uint8_t NodeByteOf(std::uint8_t nodeCode);
