#pragma once

#include <QString>

#include <cstdint>

// What the layers below the application read from the open installation;
// the document implements it.
class IInstallationDocument
{
public:
    virtual ~IInstallationDocument() = default;

    // The installation file; empty while none is open.
    virtual const QString& GetPathName() const = 0;
    virtual QString InstallationName() const = 0;
    // Non-zero flags the installation for programming, zero clears the flag.
    virtual void SetDataToProgram(int flag) = 0;
    // A non-zero get reads the length into value, zero writes it.
    virtual void DirectoryCodeLength(std::uint8_t& value, int get) = 0;
};
