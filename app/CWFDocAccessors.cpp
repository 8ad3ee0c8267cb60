#include "app/CWFDoc.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/VLMemoryLayout.h"
#include "link/NetRunResults.h"
#include "platform/DatabaseException.h"
#include "platform/LongProperties.h"
#include "platform/MessageBox.h"

#include <QFileInfo>

using namespace VLLayout;

namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kMinutesPerDay = 1440;
constexpr int kTimeZoneDayBits = 1;
constexpr int kDayBitCount = 8;
constexpr int kLongestAntiPassbackTime = 254; // stored as value + 1 in one byte
constexpr int kFloorCabs = 4;
constexpr int kPanelTypeA = 0;
constexpr int kPanelTypeB = 2;

// Dispatch identifiers of the schedule bar's period properties, begin and end
// of periods 1-4.
constexpr std::array<int, 4> kPeriodBeginDispids = {6, 7, 8, 9};
constexpr std::array<int, 4> kPeriodEndDispids = {2, 3, 4, 5};

// One byte of a record, or nothing when the index or field is outside the table.
std::optional<int> FieldOffset(const RecordTable& table, int index, int field)
{
    if (!table.Has(index) || field < 0 || field >= table.size)
        return std::nullopt;
    return table.At(index) + field;
}

std::uint8_t ExchangeImageByte(CVLMemory& image, std::optional<int> offset, std::uint8_t value, int get)
{
    if (!offset)
        return 0;
    if (!get)
        image.SetByte(*offset, value);
    return image.Byte(*offset);
}

// "HH:MM" from 00:00 to 23:59 as minutes of the day; nothing for any other
// text, so a mistyped field never becomes a time the panel cannot keep.
std::optional<std::uint16_t> ParseClockText(const QString& text)
{
    if (text.size() < 5)
        return std::nullopt;
    for (int i : {0, 1, 3, 4}) {
        if (!text[i].isDigit() || text[i].unicode() > '9')
            return std::nullopt;
    }
    const auto digit = [&text](int i) { return text[i].unicode() - '0'; };
    const int hours = digit(0) * 10 + digit(1);
    const int minutes = digit(3) * 10 + digit(4);
    if (hours >= kMinutesPerDay / kMinutesPerHour || minutes >= kMinutesPerHour)
        return std::nullopt;
    return static_cast<std::uint16_t>(hours * kMinutesPerHour + minutes);
}

QString ClockText(std::uint16_t minutes)
{
    return QString::asprintf("%.2d:%.2d", minutes / kMinutesPerHour, minutes % kMinutesPerHour);
}

} // namespace

QString CWFDoc::DoorValGroupName(int group, QString& text, int get)
{
    if (group < 0 || group >= kValidationGroups)
        return QString();
    if (get)
        text = m_doorValGroupNames[group];
    else
        m_doorValGroupNames[group] = text;
    return m_doorValGroupNames[group];
}

QString CWFDoc::FloorValGroupName(int group, int get, QString& text)
{
    if (group < 0 || group >= kValidationGroups)
        return QString();
    if (get)
        text = m_floorValGroupNames[group];
    else
        m_floorValGroupNames[group] = text;
    return m_floorValGroupNames[group];
}

std::uint8_t CWFDoc::DoorValGroupFlags(int group, std::uint8_t value, int get)
{
    return ExchangeImageByte(m_globalMemory, FieldOffset(kDoorValGroups, group, 0), value, get);
}

std::uint8_t CWFDoc::FloorValGroupFlags(int group, std::uint8_t value, int get)
{
    return ExchangeImageByte(m_globalMemory, FieldOffset(kFloorValGroups, group, 0), value, get);
}

std::uint8_t CWFDoc::ValGroupByte(int kind, int group, int j, std::uint8_t value, int get)
{
    const RecordTable& table = kind == 1 ? kDoorValGroups : kFloorValGroups;
    return ExchangeImageByte(m_globalMemory, FieldOffset(table, group, j + 1), value, get);
}

int CWFDoc::TimeZoneDayBit(int zone, int bit, int get, int value)
{
    const auto offset = FieldOffset(kTimeZones, zone, kTimeZoneDayBits);
    if (!offset || bit < 0 || bit >= kDayBitCount)
        return 0;
    const std::uint8_t mask = static_cast<std::uint8_t>(1u << bit);
    if (!get) {
        std::uint8_t days = m_globalMemory.Byte(*offset) & ~mask;
        if (value)
            days |= mask;
        m_globalMemory.SetByte(*offset, days);
    }
    return (m_globalMemory.Byte(*offset) & mask) ? 1 : 0;
}

bool CWFDoc::ExchangeTimeZone(std::array<std::uint8_t, 20>& record, ILongProperties& control, int zone, int toControl)
{
    if (!kTimeZones.Has(zone))
        return false;
    const int base = kTimeZones.At(zone);
    for (int period = 0; period < TimeZone::kPeriodCount; ++period) {
        const int at = base + TimeZone::kPeriods + period * TimeZone::kPeriodSize;
        const std::array<std::pair<int, int>, 2> ends = {std::pair{at + TimeZone::kStartHour, kPeriodBeginDispids[period]},
                                                         std::pair{at + TimeZone::kEndHour, kPeriodEndDispids[period]}};
        for (const auto& [hourAt, dispid] : ends) {
            if (toControl) {
                control.SetLong(dispid, m_globalMemory.Byte(hourAt) * kMinutesPerHour + m_globalMemory.Byte(hourAt + 1));
                continue;
            }
            std::int32_t minutes = 0;
            if (!control.GetLong(dispid, &minutes))
                continue;
            minutes = std::clamp<std::int32_t>(minutes, 0, kMinutesPerDay);
            m_globalMemory.SetByte(hourAt, static_cast<std::uint8_t>(minutes / kMinutesPerHour));
            m_globalMemory.SetByte(hourAt + 1, static_cast<std::uint8_t>(minutes % kMinutesPerHour));
        }
    }
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = m_globalMemory.Byte(base + static_cast<int>(i));
    return true;
}

bool CWFDoc::IsSameTimeZone(std::array<std::uint8_t, 20> a, std::array<std::uint8_t, 20> b)
{
    return a == b;
}

std::uint8_t CWFDoc::ButtonSchedule(int button, std::uint8_t value, int get)
{
    return ExchangeImageByte(m_globalMemory, FieldOffset(kButtonSchedules, button - kFirstButton, 0), value, get);
}

int CWFDoc::AntiPassbackTime(int minutes, int get)
{
    if (!get)
        m_globalMemory.SetByte(kAntiPassbackTime,
                               static_cast<std::uint8_t>(std::clamp(minutes, 0, kLongestAntiPassbackTime) + 1));
    const int stored = m_globalMemory.Byte(kAntiPassbackTime);
    return stored == 0 ? 0 : stored - 1;
}

std::uint8_t CWFDoc::CardholderSetAntiPassback(std::uint8_t value, int set, int get)
{
    return ExchangeImageByte(m_globalMemory, FieldOffset(kCardholderSets, set, Chs::kMode), value, get);
}

void CWFDoc::NonExpiringHoliday(std::uint8_t& a, std::uint8_t& b, int holiday, int get)
{
    m_globalMemory.ExchangeHoliday(holiday, b, a, get);
}

void CWFDoc::ExpiringHoliday(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c, int holiday, int get)
{
    m_globalMemory.ExchangeExpiringHoliday(holiday, b, a, c, get);
}

bool CWFDoc::DownlightTimes(QString& on, QString& off, int get)
{
    std::uint16_t onTime = 0;
    std::uint16_t offTime = 0;
    if (get) {
        m_globalMemory.ExchangeDownlightTime(onTime, offTime, 1);
        on = ClockText(onTime);
        off = ClockText(offTime);
        return true;
    }
    // Each field on its own: one that is not a time keeps the stored time.
    m_globalMemory.ExchangeDownlightTime(onTime, offTime, 1);
    const auto onMinutes = ParseClockText(on);
    const auto offMinutes = ParseClockText(off);
    onTime = onMinutes.value_or(onTime);
    offTime = offMinutes.value_or(offTime);
    m_globalMemory.ExchangeDownlightTime(onTime, offTime, 0);
    return onMinutes && offMinutes;
}

void CWFDoc::PbxDialingDigit(std::uint8_t& value, int get)
{
    m_globalMemory.ExchangePbxDigit(value, get);
}

void CWFDoc::TalkTime(std::uint8_t& value, int get)
{
    m_globalMemory.ExchangeTalkTime(value, get);
}

void CWFDoc::PostalKeyChannel(std::uint8_t& value, int get)
{
    m_globalMemory.ExchangePostKeyChannel(value, get);
}

void CWFDoc::DirectoryCodeLength(std::uint8_t& value, int get)
{
    m_globalMemory.ExchangeDirCodeLength(value, get);
}

void CWFDoc::DirectoryBeginsAt(bool& value, int get)
{
    m_globalMemory.ExchangeDirectoryBeginsAtMiddle(value, get);
}

void CWFDoc::XmtrFacilityCode(std::uint16_t& code, int index, int get)
{
    m_globalMemory.ExchangeTransmitterFacilityCode(index, code, get);
}

void CWFDoc::CardFacilityCode(std::uint16_t& code, int index, int get)
{
    m_globalMemory.ExchangeCardFacilityCode(index, code, get);
}

bool CWFDoc::FindSelectedController()
{
    try {
        return m_nControllerID != 0 && g_setVestrels.IsOpen() && g_setVestrels.FindByID(m_nControllerID);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

QString CWFDoc::ControllerFilePath(int kind, const CSetVestrels& controller) const
{
    return IsPlainFileName(controller.m_FileName) ? BuildPath(kind, controller.m_FileName) : QString();
}

QString CWFDoc::NotPlainFileNameText(const CSetVestrels& controller)
{
    return QStringLiteral("Controller %1 names the image file \"%2\", which is not a plain file name: the file was "
                          "not used.")
        .arg(NetRunResults::NodeName(controller.m_NetAddress, controller.m_NodeAddress), controller.m_FileName);
}

bool CWFDoc::LoadControllerSettings(std::int32_t vestrelId)
{
    try {
        if (!g_setVestrels.IsOpen() || !g_setVestrels.FindByID(vestrelId))
            return false;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    const QString path = ControllerFilePath(kVestrels, g_setVestrels);
    if (path.isEmpty()) {
        ShowMessageBox(NotPlainFileNameText(g_setVestrels), MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    m_controllerMemory.SetNetworkOverride(g_setVestrels.m_NetAddress);
    const bool loaded = m_controllerMemory.LoadFile(path, 0, 0, {});
    m_controllerMemory.SetNetworkOverride(0);
    m_controllerMemory.File().close();
    if (!loaded) {
        ShowMessageBox(QStringLiteral("File Error"), MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    m_nControllerID = vestrelId;
    return true;
}

bool CWFDoc::AskSaveControllerSettings()
{
    return m_controllerMemory.ExchangeSettingsChanged(1) != 0;
}

bool CWFDoc::ModuleActivationTime(std::uint8_t& value, int get)
{
    m_controllerMemory.ExchangeTovixActivationTime(value, get);
    return true;
}

bool CWFDoc::ControllerName(QString& text, int get)
{
    if (!FindSelectedController())
        return false;
    if (get) {
        text = g_setVestrels.m_VestrelName;
        return true;
    }
    g_setVestrels.Edit();
    g_setVestrels.m_VestrelName = text;
    g_setVestrels.Update();
    return true;
}

bool CWFDoc::ControllerKeldara(bool& value, int get)
{
    if (!FindSelectedController())
        return false;
    if (get) {
        value = g_setVestrels.m_Keldara;
        return true;
    }
    g_setVestrels.Edit();
    g_setVestrels.m_Keldara = value;
    g_setVestrels.Update();
    return true;
}

bool CWFDoc::ControllerNodeAddress(std::uint8_t& address)
{
    const bool found = FindSelectedController();
    address = g_setVestrels.m_NodeAddress;
    return found;
}

bool CWFDoc::ControllerNetAddress(std::uint8_t& address)
{
    const bool found = FindSelectedController();
    address = g_setVestrels.m_NetAddress;
    return found;
}

bool CWFDoc::NetworkName(QString& text, int get)
{
    if (!FindSelectedController() || !g_setVLNetworks.IsOpen() || !g_setVLNetworks.FindByNodeID(g_setVestrels.m_NodeID))
        return false;
    if (get) {
        text = g_setVLNetworks.m_NetName;
        return true;
    }
    g_setVLNetworks.Edit();
    g_setVLNetworks.m_NetName = text;
    g_setVLNetworks.Update();
    return true;
}

bool CWFDoc::DoorLabel(QString& text, int door, bool withPrefix)
{
    if (!FindSelectedController())
        return false;
    text = g_setVestrels.GetDoorLabel(door, withPrefix);
    return true;
}

bool CWFDoc::MaskFloorCabRelays(int cab, std::int32_t mask)
{
    if (cab < 1 || cab > kFloorCabs || !FindSelectedController() || !g_setFloorNames.IsOpen())
        return false;
    const std::array<std::int32_t CSetFloorNames::*, kFloorCabs> cabs = {&CSetFloorNames::m_Cab1, &CSetFloorNames::m_Cab2,
                                                                        &CSetFloorNames::m_Cab3, &CSetFloorNames::m_Cab4};
    const auto field = cabs[cab - 1];
    const QString rows = QStringLiteral("Net = %1 AND Node = %2").arg(g_setVestrels.m_NetAddress).arg(g_setVestrels.m_NodeAddress);
    try {
        for (bool found = g_setFloorNames.FindFirst(rows); found; found = g_setFloorNames.FindNext(rows)) {
            const std::int32_t set = g_setFloorNames.*field;
            if (set < 1 || (set & mask) == set)
                continue;
            g_setFloorNames.Edit();
            g_setFloorNames.*field = set & mask;
            g_setFloorNames.Update();
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    return true;
}

bool CWFDoc::HasPanelType0Or2()
{
    try {
        return g_setVestrels.IsOpen()
               && g_setVestrels.FindFirst(QStringLiteral("[PanelType] = %1 OR [PanelType] = %2").arg(kPanelTypeA).arg(kPanelTypeB));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool CWFDoc::DisplayMessageText(QString& text, int& justification, int index, int set, int get)
{
    if (!g_setDisplayMessages.IsOpen())
        return false;
    return get ? g_setDisplayMessages.GetMessage(text, justification, index, set)
               : g_setDisplayMessages.SetMessage(text, justification, index, set);
}
