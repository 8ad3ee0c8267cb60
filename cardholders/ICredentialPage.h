#pragma once

#include <cstdint>

// What the cardholder form needs of each of its credential pages.
class ICredentialPage
{
public:
    virtual ~ICredentialPage() = default;

    // A new cardholder: the page stores what it holds of the previous one first.
    virtual void SetUserID(std::int32_t userId) = 0;
    // Whether the cardholder has credentials of the page's kind.
    virtual bool HasCredentials() const = 0;
    virtual void SetHasCredentials(bool has) = 0;
    // Shows the cardholder's credentials and puts the focus where typing starts.
    virtual void Reload() = 0;
    // While set, the form does not save the cardholder.
    virtual bool IsBusy() const { return false; }
};
