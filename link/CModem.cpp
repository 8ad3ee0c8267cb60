#include "link/CModem.h"

#include "link/DialTranslation.h"
#include "link/DialingLocation.h"
#include "link/LinkConnection.h"
#include "link/LinkMessages.h"
#include "link/LinkTiming.h"
#include "link/ModemLines.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QDebug>
#include <QSocketNotifier>

namespace {

// No modem waits without a bound: an AT command's answer, the dial result
// (then the call counts as unanswered) and the escape's guard time.
constexpr int kCommandAnswerMs = 5000;
constexpr int kDialResultMs = 60000;
constexpr int kEscapeGuardMs = 1000;
constexpr int kDefaultConnectRate = 38400;

const char* const kNoAnswerText = "Disconnected: No Answer";

} // namespace

int CModem::Tell(const QString& text, MbButtons buttons)
{
    // Nobody is there to answer in a scheduled run; the failed dial is its record.
    if (isScheduledRun && isScheduledRun()) {
        qWarning().noquote() << text;
        return buttons == MbButtons::YesNo ? IDNO : IDOK;
    }
    return ShowMessageBox(text, buttons);
}

void CModem::Show(const char* text)
{
    Tell(QString::fromLatin1(text));
}

CModem::CModem() : m_at(m_port)
{
    m_dialTimer.setSingleShot(true);
    QObject::connect(&m_dialTimer, &QTimer::timeout, [this] {
        if (m_call == Call::Dialing)
            Disconnected(kNoAnswerText, ConnectFail::kNoAnswer);
    });
}

CModem::~CModem()
{
    ShutdownTapi();
}

void CModem::OfferLinesDialog()
{
    const int answer = Tell(QStringLiteral("There are no devices configured for Telephony use.\n"
                                           "Would you like to run the Modem Control Panel to add a modem driver?"),
                            MbButtons::YesNo);
    if (answer == IDYES && openLinesDialog)
        openLinesDialog(nullptr);
}

int CModem::InitializeTapi()
{
    if (m_initialized)
        return 1;
    m_deviceCount = ModemLines::DeviceCount(ModemLines::Load());
    if (m_deviceCount == 0) {
        OfferLinesDialog();
        return 0;
    }
    m_call = Call::None;
    m_initialized = true;
    qDebug().noquote() << "Tapi initialized.";
    return 1;
}

int CModem::FailDial(const char* text)
{
    HangUp();
    Show(text);
    return 0;
}

int CModem::Dial(const QString& number, int device)
{
    if (device < 0) {
        Show("No modem is selected.\nPlease go to the Wardenfold Setup dialog and specify the modem to use.");
        return 0;
    }
    m_device = device;
    if (!InitializeTapi())
        return 0;
    // The lines dialog may have changed the lines since the first dial.
    const std::vector<ModemLineSetting> lines = ModemLines::Load();
    m_deviceCount = ModemLines::DeviceCount(lines);
    if (m_deviceCount == 0) {
        OfferLinesDialog();
        return 0;
    }
    // A call still up from before is dropped first, never left off hook.
    HangUp();
    if (number.isEmpty())
        return 1;
    const std::optional<ModemLineSetting> line = ModemLines::Find(lines, device);
    if (!line)
        return FailDial("Line Version unsupported.\nUnable to use line.");
    m_lineName = line->name;
    switch (m_port.Open(line->device)) {
    case SerialPort::OpenResult::Opened:
        break;
    case SerialPort::OpenResult::Held:
        return FailDial("Requested line is already in use\n Unable to use line.");
    case SerialPort::OpenResult::Failed:
        return FailDial("Error on requested line.\nUnable to use line");
    }
    if (!ConfigureModem())
        return FailDial("Unable to configure the modem.");
    // Whatever the caller passes, nothing but a number reaches the modem.
    if (!m_at.Dial(DialableCharacters(number).toLatin1(), LinkTiming::Ms(kCommandAnswerMs)))
        return FailDial("Error in lineMakeCall function.");

    m_call = Call::Dialing;
    m_rate = 0;
    m_notifier = std::make_unique<QSocketNotifier>(m_port.Fd(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { OnLineActivity(); });
    m_dialTimer.start(LinkTiming::Ms(kDialResultMs));
    // Call states arrive after the dial returns, as the telephony callback's do.
    QTimer::singleShot(0, m_notifier.get(), [this] {
        if (m_call == Call::Dialing)
            Progress(LinkProgressCode::kDialing);
    });
    return 1;
}

bool CModem::ConfigureModem()
{
    termios state {};
    if (!m_port.GetState(state) || !SerialPort::BuildLinkState(state))
        return false;
    SerialPort::SwitchOffFlowControl(state);
    SerialPort::SetReadOneByte(state);
    m_at.ClearPending();
    return m_port.SetState(state) && m_at.Reset(LinkTiming::Ms(kCommandAnswerMs));
}

int CModem::TranslateAddress(bool useCountryAndArea, int countryCode, const QString& areaCode, const QString& number)
{
    if (useCountryAndArea && areaCode.trimmed().isEmpty()) {
        Show("Please enter an area code for the network phone number.");
        return 0;
    }
    if (useCountryAndArea && countryCode <= 0) {
        Show("Error translating the phone number.");
        return 0;
    }
    const TranslatedNumber translated =
        TranslateNumber(useCountryAndArea, countryCode, areaCode, number, DialingLocation::Load());
    m_displayable = translated.displayable;
    m_dialable = translated.dialable;
    return 1;
}

int CModem::GetDataHandle(SerialPort*& handle)
{
    if (m_dataHandleTaken)
        return 0;
    if (m_call != Call::Connected) {
        HangUp();
        return 0;
    }
    // From here the link threads own every byte of the line.
    StopWatching();
    m_at.ClearPending();
    m_dataHandleTaken = true;
    handle = &m_port;
    qDebug().noquote() << "Connected!  Starting communications!";
    return 1;
}

void CModem::StopWatching()
{
    m_dialTimer.stop();
    if (m_notifier) {
        // It may be the one reporting the line's activity right now.
        m_notifier->setEnabled(false);
        m_notifier.release()->deleteLater();
    }
}

int CModem::HangUp()
{
    StopWatching();
    if (m_port.IsOpen()) {
        if (m_call == Call::Connected)
            m_at.Escape(LinkTiming::Ms(kEscapeGuardMs), LinkTiming::Ms(kCommandAnswerMs));
        if (m_call != Call::None)
            m_at.Command("ATH0", LinkTiming::Ms(kCommandAnswerMs));
        m_port.DropDtr();
        m_port.Close();
    }
    m_call = Call::None;
    m_dataHandleTaken = false;
    return 1;
}

void CModem::ShutdownTapi()
{
    if (!m_initialized)
        return;
    HangUp();
    m_initialized = false;
    qDebug().noquote() << "TAPI uninitialized.";
}

void CModem::OnLineActivity()
{
    for (const QByteArray& line : m_at.TakeLines()) {
        OnResult(AtModemLine::Classify(line));
        // Hung up, or the line is the link's now.
        if (m_call == Call::None || m_dataHandleTaken)
            return;
    }
    if (m_at.LineFailed())
        Disconnected("Disconnected: Unknown reason", ConnectFail::kNone);
}

void CModem::OnResult(const AtModemLine::Reply& reply)
{
    using Result = AtModemLine::Result;
    if (m_call == Call::Connected) {
        if (reply.result == Result::NoCarrier)
            Disconnected("Remote Party Disconnected", ConnectFail::kNone);
        return;
    }
    if (m_call != Call::Dialing)
        return;
    switch (reply.result) {
    case Result::Connect:
        m_dialTimer.stop();
        m_call = Call::Connected;
        m_rate = reply.rate > 0 ? reply.rate : kDefaultConnectRate;
        Progress(LinkProgressCode::kConnected, m_rate);
        break;
    case Result::Busy:
        Progress(LinkProgressCode::kBusy);
        Disconnected("Disconnected: Busy", ConnectFail::kBusy);
        break;
    case Result::NoAnswer:
    case Result::NoCarrier:
        Disconnected(kNoAnswerText, ConnectFail::kNoAnswer);
        break;
    case Result::NoDialTone:
        Disconnected("Disconnected: No Dial Tone", ConnectFail::kNoDialTone);
        break;
    case Result::Error:
        HangUp();
        if (m_progressWindow)
            SendAppMessage(m_progressWindow, Msg::ConnectFailed, LinkFailureCode::kLineOperationFailed);
        break;
    case Result::None:
    case Result::Ok:
    case Result::Other:
        break;
    }
}

void CModem::Disconnected(const char* text, int reason)
{
    if (m_progressWindow) {
        if (onDisconnected)
            onDisconnected();
        if (reason != ConnectFail::kNone)
            ConnectFailReason = reason;
        const QString shown = QString::fromLatin1(text);
        Progress(LinkProgressCode::kDisconnectText, reinterpret_cast<qintptr>(&shown));
        Progress(LinkProgressCode::kDisconnected);
    }
    HangUp();
    Progress(LinkProgressCode::kLineIdle);
}

void CModem::Progress(unsigned code, qintptr value)
{
    if (m_progressWindow)
        SendAppMessage(m_progressWindow, Msg::LinkProgress, code, value);
}
