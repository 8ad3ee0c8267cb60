#pragma once

#include <QByteArray>
#include <QString>

class QObject;

// The line under the link engine: opening the network's line, the two link
// threads and the frames they write. The serial link is the real one.
class ILinkTransport
{
public:
    virtual ~ILinkTransport() = default;

    // Readies a modem call to the number; false when there is nothing to
    // dial (the reason already said).
    virtual bool PrepareCall(bool useCountryAndArea, int countryCode, const QString& areaCode,
                             const QString& number) = 0;
    // Opens the line of the current connection: opens the COM port, or
    // places the modem's call. False after the failure's message. Progress
    // goes to the window as WM_USER+15 and +19.
    virtual bool Open(QObject* progress) = 0;
    // The connected call's line becomes the link's; false when it cannot.
    virtual bool TakeCallLine() = 0;
    // Starts the read and write threads on the open line; replies reach
    // window as WM_USER+7.
    virtual void Start(QObject* window) = 0;
    // WM_USER+21: write this finished frame.
    virtual void Write(const QByteArray& frame) = 0;
    // Stops both threads and closes the line; safe when nothing is open.
    virtual void Stop() = 0;
};
