#include "zonectl/CQZTypeLibrary.h"

#include "zonectl/QZIdentifiers.h"

namespace {

constexpr const char* kProperty = "";

// In dispatch-map order, then the stock properties.
constexpr CQZTypeLibrary::Member kDispatchMembers[] = {
    {"ShowTimeScale", QZ::DISPID_ShowTimeScale, kProperty},
    {"lTimeZone1End", QZ::DISPID_lTimeZone1End, kProperty},
    {"lTimeZone2End", QZ::DISPID_lTimeZone2End, kProperty},
    {"lTimeZone3End", QZ::DISPID_lTimeZone3End, kProperty},
    {"lTimeZone4End", QZ::DISPID_lTimeZone4End, kProperty},
    {"lTimeZone1Begin", QZ::DISPID_lTimeZone1Begin, kProperty},
    {"lTimeZone2Begin", QZ::DISPID_lTimeZone2Begin, kProperty},
    {"lTimeZone3Begin", QZ::DISPID_lTimeZone3Begin, kProperty},
    {"lTimeZone4Begin", QZ::DISPID_lTimeZone4Begin, kProperty},
    {"ShowToolTip", QZ::DISPID_ShowToolTip, kProperty},
    {"TimeZoneNumber", QZ::DISPID_TimeZoneNumber, kProperty},
    {"Active", QZ::DISPID_Active, kProperty},
    {"BackColor", QZ::DISPID_BACKCOLOR, kProperty},
    {"ForeColor", QZ::DISPID_FORECOLOR, kProperty},
    {"Font", QZ::DISPID_FONT, kProperty},
};

constexpr CQZTypeLibrary::Member kEventMembers[] = {
    {"MouseDown", QZ::DISPID_MOUSEDOWN, "Button,Shift,x,y"},
};

constexpr CQZTypeLibrary::Type kTypes[] = {
    {CQZTypeLibrary::Kind::Interface, QZ::kIidDQZ, "_DQZ", "Dispatch interface for QZ Control", kDispatchMembers},
    {CQZTypeLibrary::Kind::Interface, QZ::kIidDQZEvents, "_DQZEvents", "Event interface for QZ Control",
     kEventMembers},
    {CQZTypeLibrary::Kind::Class, QZ::kClsidQZCtrl, "QZ", "QZ Control", {}},
};

} // namespace

std::span<const CQZTypeLibrary::Type> CQZTypeLibrary::Types()
{
    return kTypes;
}

bool CQZTypeLibrary::DispidOfName(const QString& name, std::int32_t* dispid)
{
    for (const Member& member : kDispatchMembers) {
        if (name.compare(QLatin1String(member.name), Qt::CaseInsensitive) == 0) {
            *dispid = member.dispid;
            return true;
        }
    }
    return false;
}
