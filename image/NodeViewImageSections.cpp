#include "image/NodeViewSections.h"

#include "common/Vocabulary.h"
#include "image/HtmlRows.h"
#include "image/VLMemoryLayout.h"

#include <QLocale>

#include <functional>

using namespace HtmlRows;
using namespace VLLayout;

namespace {

constexpr int kFirstShown = 1;
constexpr int kLastZone = 31;
constexpr int kLastGroup = 31;
constexpr int kLastSchedule = 31;
constexpr int kDoors = 4;
constexpr int kDirectorySubsetLetters = 8;
constexpr int kLastCardholderSet = 63;
constexpr int kFirstDevice = 1;
constexpr int kLastDevice = 9;
// Devices 8 and 9 name their type from the option table, two places on.
constexpr int kFirstOptionDevice = 8;
constexpr int kOptionTypeOffset = 2;
constexpr int kMinutesPerHour = 60;
constexpr int kFirstPasswordByte = 2;
constexpr std::uint8_t kUnusedEntry = 0xFF;
constexpr std::uint8_t kDaylightSavingBit = 0x08;
constexpr std::uint8_t kDirectionBits = 0x03;
constexpr int kFirstOptionBit = 4;
constexpr std::uint8_t kObstacleNamedBit = 0x10;
constexpr int kObstacleFacility = 1;
constexpr int kObstacleCode = 3;
constexpr int kObstacleName = 8;
constexpr int kObstacleNameLength = 24;
constexpr int kDeviceType = 1;
constexpr int kDeviceControlChannel = 2;
constexpr int kBitsPerByte = 8;

// Day bits of a time zone in the order of the columns, Monday first; a
// blank column follows Friday, Sunday and the holidays.
struct DayColumn
{
    std::uint8_t bit;
    bool gapAfter;
};
constexpr std::array<DayColumn, 8> kDayColumns = {{
    {0x02, false}, {0x04, false}, {0x08, false}, {0x10, false}, {0x20, true},
    {0x40, false}, {0x01, true}, {0x80, true},
}};
constexpr int kZoneDays = 1;

constexpr std::array<const char*, 6> kAntiPassbackTimes = {"None", "1 min", "2 min", "3 min", "4 min", ""};

QString Num(long long value)
{
    return QString::number(value);
}

QString Letter(int index)
{
    return QString(QChar(u'A' + index));
}

QString YesNo(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString Name(CVLControllerMemory& image, int index)
{
    QString text;
    image.ExchangeDirectoryName(index, text, 1);
    return Escaped(text);
}

// The password's bytes as they stand, unprintable ones left out.
QString Password(const CVLMemory& image, int offset, int length)
{
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(image.Byte(offset + i));
    return Escaped(text);
}

QString ValidationGroups(const CVLMemory& image, RecordTable table, const char* scheduleHeading)
{
    QString rows = HeaderRow({QStringLiteral("Group"), QString::fromLatin1(scheduleHeading), QStringLiteral("Time Zones")});
    for (int group = kFirstShown; group <= kLastGroup; ++group) {
        const int at = table.At(group);
        rows += RowStart()
            + Fill("<td align=center>%d</td><td align=center>%d</td><td align=center>%d - %d - %d - %d</td>",
                   {Num(group), Num(image.Byte(at)), Num(image.Byte(at + 1)), Num(image.Byte(at + 2)), Num(image.Byte(at + 3)),
                    Num(image.Byte(at + 4))})
            + QStringLiteral("</tr>");
    }
    return rows;
}

QString FourEntries(const CVLMemory& image, int at)
{
    QStringList cells;
    for (int i = 0; i < Chs::kEntries; ++i) {
        const std::uint8_t value = image.Byte(at + i);
        cells << (value == kUnusedEntry ? QStringLiteral("&nbsp;") : Num(value));
    }
    return cells.join(QStringLiteral(" - "));
}

QString CabBits(std::uint32_t mask)
{
    QString text;
    for (int byte = 0; byte < kCabMaskSize; ++byte) {
        for (int bit = 0; bit < kBitsPerByte; ++bit)
            text += (mask >> (byte * kBitsPerByte + bit)) & 1u ? u'1' : u'0';
        text += QStringLiteral("&nbsp;");
    }
    return text;
}

} // namespace

QString NodeViewSections::Main(NodeViewSources& s)
{
    const QString when = QLocale::c().toString(s.now, QStringLiteral("dddd, MMMM dd, yyyy 'at' HH:mm:ss"));
    return Fill("<tr><td><b>Installation:</b></td><td>%s</td></tr><tr><td><b>Controller:</b></td><td>%s</td></tr>"
                "<tr><td><b>Last Downloaded:</b></td><td>%s</td></tr>",
                {Name(s.controller, kInstallationName), Name(s.controller, kControllerName), when});
}

QString NodeViewSections::TimeZones(NodeViewSources& s)
{
    QString rows = HeaderRow({"Time Zone", "M", "T", "W", "T", "F", "", "S", "S", "", "H", "", "Time Period 1",
                              "Time Period 2", "Time Period 3", "Time Period 4"});
    for (int zone = kFirstShown; zone <= kLastZone; ++zone) {
        const int at = kTimeZones.At(zone);
        rows += RowStart() + Fill("<td align=center>%d</td>", {Num(zone)});
        const std::uint8_t days = s.global.Byte(at + kZoneDays);
        for (const DayColumn& day : kDayColumns) {
            rows += (days & day.bit) ? QStringLiteral("<td>&nbsp;</td>") : QStringLiteral("<td>X</td>");
            if (day.gapAfter)
                rows += QStringLiteral("<td>&nbsp;</td>");
        }
        for (int period = 0; period < TimeZone::kPeriodCount; ++period) {
            const int p = at + TimeZone::kPeriods + period * TimeZone::kPeriodSize;
            rows += Fill("<td align=center>%02u:%02u-%02u:%02u</td>",
                         {Zeros(s.global.Byte(p), 2), Zeros(s.global.Byte(p + 1), 2), Zeros(s.global.Byte(p + 2), 2),
                          Zeros(s.global.Byte(p + 3), 2)});
        }
        rows += QStringLiteral("</tr>");
    }
    return rows;
}

QString NodeViewSections::DoorValidationGroups(NodeViewSources& s)
{
    return ValidationGroups(s.global, kDoorValGroups, "Door Schedule");
}

QString NodeViewSections::FloorValidationGroups(NodeViewSources& s)
{
    return ValidationGroups(s.global, kFloorValGroups, "Floor Schedule");
}

QString NodeViewSections::DoorSchedules(NodeViewSources& s)
{
    QString rows = HeaderRow({QString(), QStringLiteral("Schedule")});
    for (int schedule = kFirstShown; schedule <= kLastSchedule; ++schedule) {
        const std::uint8_t doors = s.global.Byte(kDoorSchedules.At(schedule));
        rows += RowStart() + Fill("<td align=center>%d</td>", {Num(schedule)});
        rows += doors ? QStringLiteral("<td>") + Letters(doors, kDoors, QStringLiteral(" ["), QStringLiteral("]"))
                      : QStringLiteral("<td>&nbsp;");
        rows += QStringLiteral("</td></tr>");
    }
    return rows;
}

QString NodeViewSections::ButtonSchedules(NodeViewSources& s)
{
    QString rows = HeaderRow({QStringLiteral("Relay"), QStringLiteral("Button")});
    for (int channel = 0; channel < kButtonSchedules.count; ++channel)
        rows += RowStart()
            + Fill("<td align=center>Channel [%c]</td><td>%s</td></tr>",
                   {Letter(channel), Word(ButtonNames, s.global.Byte(kButtonSchedules.At(channel)))});
    return rows;
}

QString NodeViewSections::DownlightTime(NodeViewSources& s)
{
    std::uint16_t on = 0;
    std::uint16_t off = 0;
    s.global.ExchangeDownlightTime(on, off, 1);
    return Fill("<td>Downlight Time: </td><td>On:  %.2d:%.2d</td><td>Off: %.2d:%.2d</td>",
                {Zeros(on / kMinutesPerHour, 2), Zeros(on % kMinutesPerHour, 2), Zeros(off / kMinutesPerHour, 2),
                 Zeros(off % kMinutesPerHour, 2)});
}

QString NodeViewSections::Holidays(NodeViewSources& s)
{
    QString rows = HeaderRow({QStringLiteral("Expiring Holidays"), QStringLiteral("&nbsp;")})
        + HeaderRow({QStringLiteral("Holiday"), QStringLiteral("Date")});
    for (int i = 0; i < kExpiringHolidays.count; ++i)
        rows += RowStart() + Fill("<td align=center>%d</td><td>%s</td></tr>", {Num(i + 1), s.global.FormatExpiringHoliday(i)});
    rows += HeaderRow({QStringLiteral("Non-Expiring Holidays"), QStringLiteral("&nbsp;")})
        + HeaderRow({QStringLiteral("Holiday"), QStringLiteral("Date")});
    for (int i = 0; i < kHolidays.count; ++i)
        rows += RowStart() + Fill("<td align=center>%d</td><td>%s</td></tr>", {Num(i + 1), s.global.FormatHoliday(i)});
    return rows;
}

QString NodeViewSections::FacilityCodes(NodeViewSources& s)
{
    QString rows = HeaderRow({QStringLiteral("Transmitter Facility Codes"), QStringLiteral("&nbsp;")});
    for (int i = 0; i < kTransmitterFacilityCodes.count; ++i)
        rows += Fill("<tr><td>Xmtr Facility Code %2d:</td><td>%05u</td></tr>",
                     {Spaces(i + 1, 2), Zeros(s.global.Word(kTransmitterFacilityCodes.At(i)), 5)});
    rows += HeaderRow({QStringLiteral("Card Facility Codes"), QStringLiteral("&nbsp;")});
    for (int i = 0; i < kCardFacilityCodes.count; ++i)
        rows += Fill("<tr><td>Card Facility Code %2d:</td><td>%05u</td></tr>",
                     {Spaces(i + 1, 2), Zeros(s.global.Word(kCardFacilityCodes.At(i)), 5)});
    return rows;
}

QString NodeViewSections::PhoneDirectory(NodeViewSources& s)
{
    const bool middle = s.global.Byte(kSystemSetup) & kDirectoryAtMiddleBit;
    return HeaderRow({QStringLiteral("Telephone Directory"), QStringLiteral("&nbsp;")})
        + Fill("<tr><td>Talk Time:</td><td>%u</td></tr>", {Num(s.global.Byte(kTalkTime))})
        + Fill("<tr><td>Postal Key Channel:</td><td>%s</td></tr>", {Word(RelayNames, s.global.Byte(kPostKeyChannel))})
        + Fill("<tr><td>PBX Dialing Digit:</td><td>%s</td></tr>", {Word(PbxDigitNames, s.global.Byte(kPbxDigit))})
        + Fill("<tr><td>Directory Code Length:</td><td>%s</td></tr>",
               {Word(DirCodeLengthNames, s.global.Byte(kDirCodeLength))})
        + Fill("<tr><td>Directory Begins At:</td><td>%s</td></tr>",
               {middle ? QStringLiteral("Middle (M)") : QStringLiteral("Beginning (A)")});
}

QString NodeViewSections::Controller(NodeViewSources& s)
{
    // The minor number is printed as the panels' hexadecimal byte; -1 (not
    // yet reported) comes out as the unsigned conversion gives it.
    const QString minor = QString::number(static_cast<unsigned>(s.firmwareMinor), 16).rightJustified(2, u'0');
    return Fill("<tr><td>Database Version:</td><td>%s</td></tr>", {Escaped(s.controller.GetFirmwareVersion())})
        + Fill("<tr><td>FirmWare Version:</td><td>%d.%.2x</td></tr>", {Num(s.firmwareMajor), minor});
}

QString NodeViewSections::ControllerNames(NodeViewSources& s)
{
    CVLControllerMemory& image = s.controller;
    std::uint8_t radio = 0;
    image.ExchangeRadioDirection(radio, 1);
    const int remoteStart = kRemotePassword + kFirstPasswordByte;
    QString rows = Fill("<tr><td>Integral Radio Direction:</td><td>%s</td></tr>", {Word(RadioDirectionNames, radio)})
        + Fill("<tr><td>Keypad Strikes and Out Allowed:</td><td>%d</td></tr>", {Num(image.Byte(kKeypadStrikes))})
        + Fill("<tr><td>Network Address:</td><td>%d</td></tr>", {Num(image.Byte(kNetworkAddress))})
        + Fill("<tr><td>Remote Password:</td><td>%s</td></tr>",
               {Password(image, remoteStart, kRemotePasswordLength - kFirstPasswordByte)})
        + Fill("<tr><td>Priority Password:</td><td>%s</td></tr>",
               {Password(image, kPriorityPassword, kPriorityPasswordLength)})
        + Fill("<tr><td>Daylight Savings Time:</td><td>%s</td></tr>",
               {YesNo(image.Byte(kSystemSetup) & kDaylightSavingBit)})
        + Fill("<tr><td>Door Ajar Time in sec:</td><td>%d</td></tr>", {Num(image.Byte(kDoorAjarTime))})
        + QStringLiteral("<tr><td>Directory Subsets:</td><td>")
        + Letters(image.Byte(kDirectorySubsets), kDirectorySubsetLetters, {}, QStringLiteral(" "))
        + QStringLiteral("</td></tr>");
    rows += HeaderRow({QStringLiteral("&nbsp;"), QStringLiteral("Name"), QStringLiteral("Priority Access")});
    rows += QStringLiteral("<tr><td>Installation</td><td>") + Name(image, kInstallationName)
        + QStringLiteral("</td><td></td></tr>");
    rows += QStringLiteral("<tr><td>Controller</td><td>") + Name(image, kControllerName) + QStringLiteral("</td><td></td></tr>");
    for (int channel = 0; channel < kChannelCount; ++channel) {
        bool priority = false;
        image.ExchangePriorityDoors(static_cast<std::uint8_t>(1u << channel), priority, 1);
        rows += Fill("<tr><td>Relay %c</td><td>%s</td><td align=center>%s</td></tr>",
                     {Letter(channel), Name(image, kFirstChannelName + channel),
                      priority ? QStringLiteral("X") : QStringLiteral("&nbsp;")});
    }
    return rows;
}

QString NodeViewSections::ControllerRelays(NodeViewSources& s)
{
    CVLControllerMemory& image = s.controller;
    const auto row = [](const char* pattern, const std::function<QString(int relay)>& cell) {
        return Fill(pattern, {cell(0), cell(1), cell(2), cell(3)});
    };
    QString rows = HeaderRow({"&nbsp;", "Channel A", "Channel B", "Channel C", "Channel D"});
    rows += row("<tr><td>Operation</td><td>%s</td><td>%s</td><td>%s</td><td>%s</td></tr>", [&](int relay) {
        std::uint8_t value = 0;
        image.ExchangeRelayOperation(relay, value, 1);
        return Word(RelayOperationNames, value);
    });
    rows += row("<tr><td>Activation Time</td><td>%d</td><td>%d</td><td>%d</td><td>%d</td></tr>", [&](int relay) {
        std::uint16_t value = 0;
        image.ExchangeRelayActivationTime(relay, value, 1);
        return Num(value);
    });
    for (int k = 0; k < Relay::kTimeZoneCount; ++k) {
        rows += Fill("<tr><td>Time Zone[%u]</td>", {Num(k + 1)});
        rows += row("<td>%d</td><td>%d</td><td>%d</td><td>%d</td></tr>", [&](int relay) {
            std::uint8_t zone = 0;
            image.ExchangeRelayTimeZone(relay, k, zone, 1);
            return Num(zone);
        });
    }
    rows += row("<tr><td>Telephone Digit</td><td>%s</td><td>%s</td><td>%s</td><td>%s</td></tr>", [&](int relay) {
        std::uint8_t value = 0;
        image.ExchangeRelayPhoneDigit(relay, value, 1);
        return Word(PhoneDigitNames, value);
    });
    rows += row("<tr><td>Timing Mode</td><td>%s</td><td>%s</td><td>%s</td><td>%s</td></tr>", [&](int relay) {
        int mode = 0;
        image.ExchangeRelayTimingMode(relay, mode, 1);
        return Word(TimingModeNames, mode);
    });
    rows += row("<tr><td>Priority Access</td><td>%s</td><td>%s</td><td>%s</td><td>%s</td></tr>", [&](int relay) {
        bool priority = false;
        image.ExchangePriorityDoors(static_cast<std::uint8_t>(1u << relay), priority, 1);
        return YesNo(priority);
    });
    rows += QStringLiteral("<tr><td>Relay Associations</td>");
    for (int relay = 0; relay < kChannelCount; ++relay) {
        std::uint8_t associations = 0;
        image.ExchangeRelayExtra(relay, associations, 1);
        rows += Fill("<td>%s</td>", {Letters(associations, kDoors)});
    }
    return rows + QStringLiteral("</tr>");
}

QString NodeViewSections::ControllerModem(NodeViewSources& s)
{
    const auto text = [&](int index) {
        QString value;
        s.controller.ExchangeModemString(index, value, 1);
        return Escaped(value);
    };
    return Fill("<tr><td>Termination String</td><td>%s</td><tr>", {text(2)})
        + Fill("<tr><td>Init String 1</td><td>%s</td><tr>", {text(0)})
        + Fill("<tr><td>Init String 2</td><td>%s</td><tr>", {text(1)});
}

QString NodeViewSections::RemoteDevices(NodeViewSources& s)
{
    CVLControllerMemory& image = s.controller;
    QString rows = HeaderRow({"&nbsp;", "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Device&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;",
                              "&nbsp;&nbsp;Control Channel&nbsp;&nbsp;", "Direction", "Options<br>ABCD", "Name"});
    for (int device = kFirstDevice; device <= kLastDevice; ++device) {
        const int at = kDevices.At(device);
        const std::uint8_t settings = image.Byte(at + Device::kSettings);
        const std::uint8_t type = image.Byte(at + kDeviceType);
        QString kind = Word(DeviceTypeNames, type);
        if (device >= kFirstOptionDevice) {
            const int option = type == 0 ? 0 : type - kOptionTypeOffset;
            kind = option >= 0 && option < static_cast<int>(DeviceOptionNames.size()) ? Word(DeviceOptionNames, option)
                                                                                    : Num(type);
        }
        QString name;
        image.ExchangeDeviceName(device, name, 1);
        QStringList options;
        for (int option = 0; option < kDoors; ++option)
            options << ((settings >> (kFirstOptionBit + option)) & 1u ? QStringLiteral("N") : QStringLiteral("Y"));
        rows += Fill("<tr><td>DV[%02u]</td>", {Zeros(device, 2)}) + QStringLiteral("<td align=center>") + kind
            + QStringLiteral("</td>")
            + Fill("<td align=center>%s</td>", {Word(RelayNames, image.Byte(at + kDeviceControlChannel))})
            + Fill("<td align=center>%s</td>", {Word(DeviceDirectionNames, settings & kDirectionBits)})
            + Fill("<td align=center>%s%s%s%s</td>", {options[0], options[1], options[2], options[3]})
            + Fill("<td>%s</td></tr>", {Escaped(name)});
    }
    return rows;
}

QString NodeViewSections::ObstacleTransmitters(NodeViewSources& s)
{
    QString rows = HeaderRow({"Obstacle Transmitters", "Facility Code", "Transmitter Code", "Name"});
    for (int record = 0; record < kObstacles.count; ++record) {
        const int at = kObstacles.At(record);
        const CVLMemory& image = s.controller;
        const int facility = image.Byte(at + kObstacleFacility) | image.Byte(at + kObstacleFacility + 1) << 8;
        const int code = image.Byte(at + kObstacleCode) | image.Byte(at + kObstacleCode + 1) << 8;
        QByteArray name;
        if (image.Byte(at) & kObstacleNamedBit) {
            for (int i = 0; i < kObstacleNameLength; ++i)
                name += static_cast<char>(image.Byte(at + kObstacleName + i));
        }
        rows += Fill("<tr><td align=center>OBST[%02d]</td><td align=center>%2d</td><td align=center>%5d</td>"
                     "<td align=center>%s</td></tr>",
                     {Zeros(record + 1, 2), Spaces(facility, 2), Spaces(code, 5), Escaped(TextUpToNul(name))});
    }
    return rows;
}

QString NodeViewSections::CardholderSets(NodeViewSources& s)
{
    QString rows = HeaderRow({"Cardholder Set", "Door Validation Groups", "Floor Validation Groups", "Time Zones",
                              "Anti-PassBack"});
    for (int set = kFirstShown; set <= kLastCardholderSet; ++set) {
        const int at = kCardholderSets.At(set);
        rows += RowStart()
            + Fill("<td align=center>%d</td><td align=center>%s</td><td align=center>%s</td><td align=center>%s</td>"
                   "<td align=center>%s</td></tr>",
                   {Num(set), FourEntries(s.global, at + Chs::kDvg), FourEntries(s.global, at + Chs::kFvg),
                    FourEntries(s.global, at + Chs::kTz), Word(AntiPassbackModeNames, s.global.Byte(at + Chs::kMode))});
    }
    return rows;
}

QString NodeViewSections::AntiPassback(NodeViewSources& s)
{
    return QStringLiteral("<tr><td>Anti-PassBack Time: ") + Word(kAntiPassbackTimes, s.global.Byte(kAntiPassbackTime))
        + QStringLiteral("</td></tr>");
}

QString NodeViewSections::FloorSchedules(NodeViewSources& s)
{
    QString rows = HeaderRow({"Floor<br>Schedule", "Cab 1<br>1st - 24th (1 = on)", "Cab 2<br>1st - 24th (1 = on)",
                              "Cab 3<br>1st - 24th (1 = on)", "Cab 4<br>1st - 24th (1 = on)"});
    for (int schedule = kFirstShown; schedule <= kLastSchedule; ++schedule) {
        const CabMasks cabs = s.global.GetFloorSchedule(schedule);
        rows += Fill("<tr><td align=center>%d</td><td align=center>%s</td><td align=center>%s</td>"
                     "<td align=center>%s</td><td align=center>%s</td></tr>",
                     {Num(schedule), CabBits(cabs[0]), CabBits(cabs[1]), CabBits(cabs[2]), CabBits(cabs[3])});
    }
    return rows;
}
