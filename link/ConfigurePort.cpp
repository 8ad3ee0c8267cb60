#include "link/ConfigurePort.h"

#include "platform/MessageBox.h"
#include "platform/SerialPort.h"

namespace {
bool Fail(const char* text)
{
    ShowMessageBox(QString::fromLatin1(text));
    return false;
}
} // namespace

bool ConfigurePort(SerialPort& port)
{
    // The driver's queues need no sizing here: the kernel's buffers hold
    // more than a frame in each direction.
    termios state {};
    if (!port.GetState(state))
        return Fail("Error getting the state for the comm port.");
    if (!SerialPort::BuildLinkState(state))
        return Fail("Error building comm port device-control block structure.");
    SerialPort::SwitchOffFlowControl(state);
    SerialPort::SetReadOneByte(state);
    if (!port.SetState(state))
        return Fail("Error setting the state for the comm port.");
    return true;
}
