#pragma once

#include "link/CCommunication.h"
#include "platform/AtModemLine.h"
#include "platform/MessageBox.h"
#include "platform/SerialPort.h"

#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QSocketNotifier;
class QWidget;

// The modem link: a data call placed through a Hayes modem on one of the
// configured modem lines. The call's progress goes to the progress window as
// WM_USER+15 codes (8 dialling, 9 busy, 11 connected, 13 with the disconnect
// text then 12, and 6 once the line is on hook again) and WM_USER+19 for a
// failed operation. Once connected the same port is the link.
class CModem : public CCommunication
{
public:
    CModem();
    ~CModem() override;

    int InitializeTapi();
    // 1 when the call was placed or there was nothing to dial; 0 after the
    // failure's message.
    int Dial(const QString& number, int device);
    // Sets the displayable and dialable numbers; 0 after a message.
    int TranslateAddress(bool useCountryAndArea, int countryCode, const QString& areaCode, const QString& number);
    // The connected call's port, once per call.
    int GetDataHandle(SerialPort*& handle);
    // Drops the call and closes the line; always 1.
    int HangUp();
    void ShutdownTapi();
    int GetConnectRate() const { return m_rate; }

    int LineDevice() const { return m_device; }
    void SetLineDevice(int device) { m_device = device; }
    const QString& LineName() const { return m_lineName; }
    const QString& DisplayableNumber() const { return m_displayable; }
    const QString& DialableNumber() const { return m_dialable; }

    // A scheduled programming or time-setting run: no box waits for an
    // operator; the texts go to the debug log and questions are answered No.
    std::function<bool()> isScheduledRun;
    // Where the operator sets up modem lines when there are none.
    std::function<void(QWidget* owner)> openLinesDialog;
    // Tells the communication form that the call ended.
    std::function<void()> onDisconnected;

private:
    enum class Call { None, Dialing, Connected };

    int Tell(const QString& text, MbButtons buttons = MbButtons::Ok);
    void Show(const char* text);
    bool ConfigureModem();
    void OfferLinesDialog();
    int FailDial(const char* text);
    void OnLineActivity();
    void OnResult(const AtModemLine::Reply& reply);
    void Disconnected(const char* text, int reason);
    void Progress(unsigned code, qintptr value = 0);
    void StopWatching();

    bool m_initialized = false;
    int m_deviceCount = 0;
    int m_device = -1;
    QString m_displayable;
    QString m_dialable;
    QString m_lineName;
    bool m_dataHandleTaken = false;
    int m_rate = 0;
    Call m_call = Call::None;

    SerialPort m_port;
    AtModemLine m_at;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_dialTimer;
};
