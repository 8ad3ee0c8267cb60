#include "link/ModemTelephonyLines.h"

#include "link/CModem.h"
#include "link/ModemLines.h"

ModemTelephonyLines::ModemTelephonyLines(CModem& modem, Dialog dialingProperties)
    : m_modem(modem), m_dialingProperties(std::move(dialingProperties))
{
}

TelephonyInit ModemTelephonyLines::Initialize(int& deviceCount)
{
    deviceCount = ModemLines::DeviceCount(ModemLines::Load());
    return deviceCount > 0 ? TelephonyInit::Ok : TelephonyInit::NoDevice;
}

bool ModemTelephonyLines::NegotiateApiVersion(int device)
{
    return ModemLines::Find(ModemLines::Load(), device).has_value();
}

std::optional<TelephonyLineCaps> ModemTelephonyLines::GetDevCaps(int device)
{
    const std::optional<ModemLineSetting> line = ModemLines::Find(ModemLines::Load(), device);
    if (!line)
        return std::nullopt;
    return TelephonyLineCaps {line->name, true, true, true};
}

QIcon ModemTelephonyLines::GetLineIcon(int)
{
    return {};
}

void ModemTelephonyLines::SetLinkLine(int device)
{
    m_modem.SetLineDevice(device);
}

void ModemTelephonyLines::ShowDialingProperties(QWidget* owner)
{
    if (m_dialingProperties)
        m_dialingProperties(owner);
}
