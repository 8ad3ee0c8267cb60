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
    // An installation was opened: the network list and queue count are read again.
    virtual void RefreshAfterOpen() {}
    // Whether the form lists the network (active in the installation).
    virtual bool HasNetwork(int net) const { return net != 0; }
    // The network chosen in the form; 0 when none is listed.
    virtual int GetSelectedNetwork() const { return 0; }
    // After the next reply: stop the run of stored commands and queue the
    // priority access; or stop and close the main window.
    virtual void RequestPriorityAccess() {}
    virtual void RequestStopAndClose() {}
    // Empties the network queue and the stored commands; false when something failed.
    virtual bool ClearQueue() { return false; }
};
