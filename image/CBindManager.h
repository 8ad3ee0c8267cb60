#pragma once

#include "image/DirectoryWorkArea.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

class IBindDocument;
class INetCommandSink;
class QFile;

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
    // Copies the bound files into the last-programmed folder.
    int StoreInstallationState(int full);
    void RebuildTimeZoneOrder();

    // Compares file, which is named name in the controller folder, with the
    // node's last-programmed copy in units of unit bytes and queues a memory
    // write of bank for each run of differing units. 0 when the copy exists
    // but cannot be read or a write cannot be stored.
    int GenerateUnitCommands(QFile& file, std::uint8_t nodeCode, int unit, std::uint8_t bank, const QString& name,
                             int force);
    bool QueueMemoryWrite(std::uint8_t bank, int unitNumber, const QByteArray& data, std::uint8_t nodeByte);
    bool QueueEndOfUpdate(int net, int node);

    int BindDisplayMessages();
    int StoreDisplayMessages();

    QString ControllerFolder() const;
    QString LastProgrammedFolder() const;
    // The run's directory work area; null outside BindAll.
    DirectoryWorkArea* WorkArea() const { return m_workArea; }
    IBindDocument& Document() const { return m_doc; }
    // Commands stored since the current node's generation began.
    int StoredForNode() const { return m_storedForNode; }

private:
    int DisplayMessageCommands(std::uint8_t nodeCode, int force);
    int ControllerImageCommands(std::uint8_t nodeCode, int force);
    bool Store(const class CNetCommand& command);

    IBindDocument& m_doc;
    INetCommandSink& m_sink;
    DirectoryWorkArea* m_workArea = nullptr;
    int m_storedForNode = 0;
};

// Node byte of a command: network in the high nibble, node in the low one.
std::uint8_t NodeByteOf(std::uint8_t nodeCode);
