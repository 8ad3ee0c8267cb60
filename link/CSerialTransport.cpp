#include "link/CSerialTransport.h"

#include "link/CCommPort.h"
#include "link/CModem.h"
#include "link/ConfigurePort.h"
#include "link/LinkConnection.h"
#include "platform/Profile.h"

namespace {
const QString kSetupSection = QStringLiteral("Setup");
const QString kSelectedModemKey = QStringLiteral("The number of the modem selected");
constexpr int kNoModem = -1;
} // namespace

CSerialTransport::~CSerialTransport()
{
    Stop();
}

bool CSerialTransport::PrepareCall(bool useCountryAndArea, int countryCode, const QString& areaCode,
                                   const QString& number)
{
    return Modem && Modem->InitializeTapi()
        && Modem->TranslateAddress(useCountryAndArea, countryCode, areaCode, number)
        && !Modem->DialableNumber().isEmpty();
}

bool CSerialTransport::Open(QObject* progress)
{
    // A line left open by an earlier connection is closed first.
    Stop();
    if (CurrentConnection == LinkConnection::kModem) {
        if (!Modem)
            return false;
        Modem->Initialize();
        Modem->SetProgressWindow(progress);
        return Modem->Dial(Modem->DialableNumber(), Profile::GetInt(kSetupSection, kSelectedModemKey, kNoModem)) == 1;
    }
    if (!CommPort)
        return false;
    CommPort->Initialize();
    CommPort->SetProgressWindow(progress);
    return CommPort->Open(CommHandle) == 1;
}

bool CSerialTransport::TakeCallLine()
{
    return Modem && Modem->GetDataHandle(CommHandle) == 1 && ConfigurePort(*CommHandle);
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
