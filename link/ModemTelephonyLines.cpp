#include "link/ModemTelephonyLines.h"

#include "link/CModem.h"
#include "link/ModemLines.h"

ModemTelephonyLines::ModemTelephonyLines(CModem& modem, Dialog dialingProperties)
    : m_modem(modem), m_dialingProperties(std::move(dialingProperties))
{
}

TelephonyInit ModemTelephonyLines::Initialize(int& deviceCount)
{
    m_lines = ModemLines::Load();
    deviceCount = ModemLines::DeviceCount(m_lines);
    return deviceCount > 0 ? TelephonyInit::Ok : TelephonyInit::NoDevice;
}

bool ModemTelephonyLines::NegotiateApiVersion(int device)
{
    return ModemLines::Find(m_lines, device).has_value();
}

std::optional<TelephonyLineCaps> ModemTelephonyLines::GetDevCaps(int device)
{
    const std::optional<ModemLineSetting> line = ModemLines::Find(m_lines, device);
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
