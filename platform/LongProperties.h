#pragma once

#include <cstdint>

// Long properties reached by dispatch identifier: what the document needs of
// a schedule-bar control to move a time zone in and out of it.
class ILongProperties
{
public:
    virtual bool GetLong(int dispid, std::int32_t* value) const = 0;
    virtual bool SetLong(int dispid, std::int32_t value) = 0;

protected:
    ~ILongProperties() = default;
};
