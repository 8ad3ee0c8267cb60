#pragma once

#include <QString>

#include <cstdint>

class CNetCommandQueue;

// What a programming run reads from and marks in the open installation; the
// document implements it.
class IBindDocument
{
public:
    virtual ~IBindDocument() = default;

    virtual QString InstallationFolder() const = 0;
    virtual CNetCommandQueue& NetQueue() = 0;
    virtual bool IgnoreCaseDirCodes() const = 0;
    virtual void SetBindFlag(int value) = 0;
    // controller: 0 for the selected one, else network x 10 + node.
    virtual bool ControllerDisplayMessageSet(std::uint8_t& value, int get, int controller) = 0;
};

// The open installation as a programming run sees it; null while none exists.
IBindDocument* GetBindDocument();
void SetBindDocument(IBindDocument* document);
