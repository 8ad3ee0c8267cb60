#pragma once

// What the shell's helpers need of the communication control form; the link's
// form implements it.
class ICommControlForm
{
public:
    virtual ~ICommControlForm() = default;

    virtual bool IsConnected() const = 0;
    virtual void Disconnect() = 0;
    // Shows the program button in its data-pending picture, enabled.
    virtual int GoOnline() = 0;
    // Sends the next queued command, connecting first where needed; returns at once.
    virtual void ServiceQueue() = 0;
};
