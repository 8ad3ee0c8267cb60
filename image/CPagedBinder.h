#pragma once

#include "image/CVLFileMemory.h"

#include <QString>

#include <cstdint>

class CBindManager;

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
    int GenerateFileCommands(const QString& name, int unit, std::uint8_t bank, std::uint8_t nodeCode, int force);
    int StoreFile(const QString& name);
    // Opens the binder's file in the controller folder, emptied with create.
    bool OpenBinderFile(int create);

    CBindManager& m_manager;
};
