#pragma once

#include "link/CCommunication.h"
#include "platform/SerialPort.h"

// The direct link: a COM port, by the number of the current connection.
class CCommPort : public CCommunication
{
public:
    // Opens and configures the port; 1 with handle set to it, 0 after the
    // failure's message.
    int Open(SerialPort*& handle);
    void Close() { m_port.Close(); }

private:
    SerialPort m_port;
};
