#pragma once

#include <QIcon>
#include <QString>

#include <optional>

class QWidget;

// What the Dialing page needs of the modem link's telephony lines.
enum class TelephonyInit { Ok, Reinit, NoDevice, Failed };

struct TelephonyLineCaps
{
    QString name;
    bool voiceBearer = false;
    bool dataModem = false;
    bool makeCall = false;
};

class ITelephonyLines
{
public:
    virtual ~ITelephonyLines() = default;

    virtual TelephonyInit Initialize(int& deviceCount) = 0;
    // False when the device does not speak the line interface's version.
    virtual bool NegotiateApiVersion(int device) = 0;
    // Nothing when the device's capabilities cannot be read.
    virtual std::optional<TelephonyLineCaps> GetDevCaps(int device) = 0;
    // A null icon when the line has none.
    virtual QIcon GetLineIcon(int device) = 0;
    // Makes the device the modem link's line.
    virtual void SetLinkLine(int device) = 0;
    virtual void ShowDialingProperties(QWidget* owner) = 0;
};

// The lines of the modem link; until one is installed, none: every query
// reports that no telephony device is configured.
ITelephonyLines& GetTelephonyLines();
// Installs the modem link's lines (not owned); null restores the empty default.
void SetTelephonyLines(ITelephonyLines* lines);
