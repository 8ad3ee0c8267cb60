#pragma once

// A page of the network settings editor: Store takes what its controls hold
// into the document. Only the editor calls it, in its fixed order.
class INetworkSettingsPage
{
public:
    virtual void Store() = 0;

protected:
    ~INetworkSettingsPage() = default;
};
