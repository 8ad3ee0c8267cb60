#pragma once

#include "link/CPanelEventGeneric.h"

// A door changed state; the door's label and state are its texts.
class CPanelEventDoor : public CPanelEventGeneric
{
public:
    explicit CPanelEventDoor(const QByteArray& record);
    int GetDoorState() const override { return m_doorState; }
    int GetDoorIndex() const override { return m_doorIndex; }

private:
    std::uint8_t m_doorIndex;
};
