#pragma once

// A page of the network settings editor or of node setup: Store takes what
// its controls hold into the document. Only its editor calls it, in its fixed
// order.
class INetworkSettingsPage
{
public:
    virtual void Store() = 0;
    // Asked of every page before any stores: false, after telling the
    // operator, when a field holds text its panel cannot keep.
    virtual bool CheckPanelTexts() const { return true; }

protected:
    ~INetworkSettingsPage() = default;
};
