#include "link/LinkConnection.h"

#include "link/CCommPort.h"
#include "link/CLinkThreads.h"
#include "link/CModem.h"

std::uint8_t CurrentConnection = LinkConnection::kNone;
SerialPort* CommHandle = nullptr;
std::unique_ptr<EventFd> StopEvent;
int ConnectFailReason = ConnectFail::kNone;
std::unique_ptr<CCommPort> CommPort;
std::unique_ptr<CModem> Modem;

void StopLink(CLinkThreads& threads)
{
    threads.Stop();
    if (CurrentConnection == LinkConnection::kModem && Modem)
        Modem->HangUp();
    else if (CommPort)
        CommPort->Close();
    CommHandle = nullptr;
}
