#pragma once

#include "image/CVLFileMemory.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

class CBindManager;
class CBindTree;

// A binder turns one group of tables into one installation-wide paged file of
// panel memory in the controller folder. The bind manager makes a fresh one
// for each of its three phases: bind (tables to file), generate (file to the
// memory writes one node needs) and store (file to the last-programmed folder).
class CPagedBinder : public CVLFileMemory
{
public:
    explicit CPagedBinder(CBindManager& manager)
        : m_manager(manager)
    {
    }

    // 1 when the file was written, 0 on failure.
    virtual int Bind() = 0;
    // Compares the file with the node's last-programmed copy unit by unit
    // (everything is sent with force) and queues the differences.
    virtual int GenerateCommands(std::uint8_t nodeCode, int force);
    // Copies the file into the last-programmed folder; non-zero on success.
    virtual int Store();

    // The file, the memory bank it fills on a panel and the unit in which it
    // is compared.
    virtual QString FileName() const = 0;
    virtual std::uint8_t Bank() const = 0;
    virtual int UnitSize() const = 0;

protected:
    // The binder's file as the last bind left it: empty when there is none
    // yet, none when it cannot be read.
    std::optional<QByteArray> ReadBinderFile() const;
    // Puts bytes in place of the binder's file in the controller folder:
    // written beside it and renamed, so a bind that fails or a crash leaves
    // the previous file whole.
    bool WriteBinderFile(const QByteArray& bytes) const;
    // Writes the tree as the binder's file and logs its statistics; 0 when
    // the file cannot be written.
    int SaveTree(const CBindTree& tree, const QString& treeName) const;

    CBindManager& m_manager;
};
