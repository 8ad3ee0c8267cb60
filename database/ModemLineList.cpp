#include "database/ModemLineList.h"

#include "database/ITelephonyLines.h"
#include "platform/MessageBox.h"

namespace
{
void Warn(const char* text)
{
    ShowMessageBox(QLatin1String(text), MbButtons::Ok, MbIcon::Exclamation);
}
} // namespace

bool FillModemLineList(ITelephonyLines& telephony, int& line, std::vector<ModemLine>& lines)
{
    lines.clear();
    int count = 0;
    const TelephonyInit result = telephony.Initialize(count);
    if (result == TelephonyInit::Reinit) {
        Warn("Telephony resources are currently in use by other applications  --  "
             "Please close all other telephony applications and try again");
        return false;
    }
    if (result == TelephonyInit::NoDevice || (result == TelephonyInit::Ok && count <= 0)) {
        Warn("You have no telephony devices (modems) configured");
        return false;
    }
    if (result != TelephonyInit::Ok) {
        Warn("Error initializing telephony resources");
        return false;
    }
    if (line != kNoModemLine && (line < 0 || line >= count)) {
        ShowMessageBox(QStringLiteral("Your modem configuration has changed.\nPlease verify Wardenfold's modem selection"));
        line = kNoModemLine;
    }
    for (int device = 0; device < count; ++device) {
        if (!telephony.NegotiateApiVersion(device))
            continue;
        const std::optional<TelephonyLineCaps> caps = telephony.GetDevCaps(device);
        if (!caps) {
            Warn("Error getting the device information on the modem");
            continue;
        }
        if (caps->voiceBearer && caps->dataModem && caps->makeCall)
            lines.push_back({device, caps->name});
    }
    if (lines.empty()) {
        Warn("Could not find any modems");
        return false;
    }
    return true;
}
