#pragma once

#include "database/ITelephonyLines.h"
#include "link/ModemLines.h"

#include <functional>

class CModem;

// The Dialing page's view of the configured modem lines. Every line is a
// data modem that can place calls; "Dialing properties..." opens the lines
// and dialing-location dialog of the screens.
class ModemTelephonyLines final : public ITelephonyLines
{
public:
    using Dialog = std::function<void(QWidget* owner)>;

    ModemTelephonyLines(CModem& modem, Dialog dialingProperties);

    TelephonyInit Initialize(int& deviceCount) override;
    bool NegotiateApiVersion(int device) override;
    std::optional<TelephonyLineCaps> GetDevCaps(int device) override;
    QIcon GetLineIcon(int device) override;
    void SetLinkLine(int device) override;
    void ShowDialingProperties(QWidget* owner) override;

private:
    CModem& m_modem;
    Dialog m_dialingProperties;
    // As Initialize read them.
    std::vector<ModemLineSetting> m_lines;
};
