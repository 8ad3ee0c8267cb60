#include "link/CSerialTransport.h"

#include "link/CCommPort.h"
#include "link/LinkConnection.h"

CSerialTransport::~CSerialTransport()
{
    Stop();
}

bool CSerialTransport::Open(QObject* progress)
{
    // A line left open by an earlier connection is closed first.
    Stop();
    if (!CommPort)
        return false;
    CommPort->Initialize();
    CommPort->SetProgressWindow(progress);
    return CommPort->Open(CommHandle) == 1;
}

void CSerialTransport::Start(QObject* window)
{
    if (CommHandle && StopEvent && !m_threads.IsRunning())
        m_threads.Start(*CommHandle, *StopEvent, window);
}

void CSerialTransport::Write(const QByteArray& frame)
{
    if (m_threads.IsRunning())
        m_threads.PostWriteRequest(frame);
}

void CSerialTransport::Stop()
{
    StopLink(m_threads);
}
