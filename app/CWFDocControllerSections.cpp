#include "app/CWFDoc.h"
#include "app/ReportText.h"

#include "common/Vocabulary.h"
#include "database/CSetVestrels.h"
#include "image/VLMemoryLayout.h"

#include <array>

using ReportText::PadRight;
using ReportText::YesNo;

namespace {

constexpr int kChannels = 4;
constexpr int kSubsetBits = 8;
constexpr int kFirstDevice = 1;
constexpr int kLastDevice = 9;
// Devices 8 and 9 hold only the Wiegand types, which start at this code.
constexpr int kFirstOptionDevice = 8;
constexpr int kFirstWiegandType = 2;
constexpr int kDeviceTypeByte = 1;
constexpr int kDeviceChannelByte = 2;
constexpr std::uint8_t kDeviceDirectionBits = 0x03;
constexpr int kFirstDeviceOptionBit = 4;
constexpr int kDeviceOptionBits = 4;
constexpr int kDeviceTypeWidth = 14;
constexpr int kDeviceChannelWidth = 11;
constexpr int kDeviceDirectionWidth = 10;
// Three option letters, then the fourth padded to four.
constexpr int kDeviceOptionsWidth = 7;
constexpr int kRelayColumnWidth = 12;
constexpr int kRelayLabelWidth = 17;
constexpr int kMaxObstacleName = 24;
constexpr std::uint8_t kObstacleInUse = 0x80;
constexpr std::uint8_t kObstacleNamed = 0x10;
constexpr int kObstacleFacilityCode = 1;
constexpr int kObstacleTransmitterCode = 3;
constexpr int kObstacleName = 8;
constexpr int kByteBits = 8;

// Little-endian, as the obstacle blocks keep their numbers.
int LowFirstWord(const ObstacleRecord& record, int at)
{
    return record[static_cast<std::size_t>(at)] | (record[static_cast<std::size_t>(at + 1)] << kByteBits);
}

// One relay-block line: the label right-aligned in 17, then the four channels.
QString RelayLine(const char* label, const std::array<QString, kChannels>& values)
{
    QString line = QString::fromLatin1(label).rightJustified(kRelayLabelWidth, QLatin1Char(' ')) + QStringLiteral(":  ");
    for (const QString& value : values)
        line += QLatin1Char(' ') + PadRight(value, kRelayColumnWidth);
    return line + QLatin1Char('\n');
}

} // namespace

QString CWFDoc::FormatControllerGeneral(const CSetVestrels& controller)
{
    std::uint8_t strikes = 0;
    std::uint8_t direction = 0;
    std::uint8_t ajar = 0;
    std::uint8_t address = 0;
    m_controllerMemory.ExchangeKeypadStrikes(strikes, 1);
    m_controllerMemory.ExchangeRadioDirection(direction, 1);
    m_controllerMemory.ExchangeDoorAjarTime(ajar, 1);
    m_controllerMemory.ExchangeNetworkAddress(address, 1);
    QString subsets;
    const std::uint8_t subsetBits = m_controllerMemory.Byte(VLLayout::kDirectorySubsets);
    for (int bit = 0; bit < kSubsetBits; ++bit)
        if ((subsetBits >> bit) & 1)
            subsets += QChar(u'A' + bit) + QLatin1Char(' ');
    return QString::asprintf("Keypad Strikes and Out Allowed: %d\n", int{strikes})
           + QStringLiteral("Integral Radio Direction:       ") + NameAt(RadioDirectionNames, direction)
           + QString::asprintf("\nDoor Ajar Time in sec:          %d\nNetwork Address:                %d\n", int{ajar},
                               int{address})
           + QStringLiteral("Quorin Keldara:                 ") + YesNo(controller.m_Keldara)
           + QStringLiteral("\nDirectory Subsets:              ") + subsets + QLatin1Char('\n');
}

QString CWFDoc::FormatModemSettings()
{
    std::array<QString, 3> strings;
    for (int index = 0; index < static_cast<int>(strings.size()); ++index)
        m_controllerMemory.ExchangeModemString(index, strings[static_cast<std::size_t>(index)], 1);
    return QStringLiteral("Modem:                          Termination String: ") + strings[2]
           + QStringLiteral("\n                                Init String 1:      ") + strings[0]
           + QStringLiteral("\n                                Init String 2:      ") + strings[1] + QLatin1Char('\n');
}

QString CWFDoc::FormatPasswords()
{
    QString remote;
    QString priority;
    m_controllerMemory.ExchangeRemotePassword(remote, 1);
    m_controllerMemory.ExchangePriorityPassword(priority, 1);
    return QStringLiteral("Passwords:                      Remote Access: ") + remote
           + QStringLiteral("  Priority Access: ") + priority + QLatin1Char('\n');
}

QString CWFDoc::FormatRelaySettings(const CSetVestrels& controller)
{
    std::array<QString, kChannels> operation;
    std::array<QString, kChannels> digit;
    std::array<QString, kChannels> timing;
    std::array<QString, kChannels> priority;
    std::array<std::uint16_t, kChannels> activation{};
    std::array<std::array<std::uint8_t, VLLayout::Relay::kTimeZoneCount>, kChannels> zones{};
    for (int relay = 0; relay < kChannels; ++relay) {
        const auto r = static_cast<std::size_t>(relay);
        std::uint8_t value = 0;
        m_controllerMemory.ExchangeRelayOperation(relay, value, 1);
        operation[r] = NameAt(RelayOperationNames, value);
        m_controllerMemory.ExchangeRelayPhoneDigit(relay, value, 1);
        digit[r] = NameAt(PhoneDigitNames, value);
        int mode = 0;
        m_controllerMemory.ExchangeRelayTimingMode(relay, mode, 1);
        timing[r] = NameAt(TimingModeNames, mode);
        bool held = false;
        m_controllerMemory.ExchangePriorityDoors(static_cast<std::uint8_t>(1U << relay), held, 1);
        priority[r] = YesNo(held);
        m_controllerMemory.ExchangeRelayActivationTime(relay, activation[r], 1);
        for (int slot = 0; slot < VLLayout::Relay::kTimeZoneCount; ++slot)
            m_controllerMemory.ExchangeRelayTimeZone(relay, slot, zones[r][static_cast<std::size_t>(slot)], 1);
    }
    QString block = QString::asprintf("%-17s  %s  %s  %s  %s\n", "Relays:", "Channel [A]", "Channel [B]",
                                      "Channel [C]", "Channel [D]")
                    + RelayLine("Operation", operation)
                    + QString::asprintf("%17s:   %05u        %05u        %05u        %05u\n", "Activation Time",
                                        unsigned{activation[0]}, unsigned{activation[1]}, unsigned{activation[2]},
                                        unsigned{activation[3]});
    for (int slot = 0; slot < VLLayout::Relay::kTimeZoneCount; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        block += QString::asprintf("     Time Zone[%u]:   %02u           %02u           %02u           %02u\n",
                                   static_cast<unsigned>(slot + 1), unsigned{zones[0][s]}, unsigned{zones[1][s]},
                                   unsigned{zones[2][s]}, unsigned{zones[3][s]});
    }
    block += RelayLine("Telephone Digit", digit) + RelayLine("Timing Mode", timing)
             + RelayLine("Priority Access", priority);
    for (int door = 1; door <= kChannels; ++door)
        block += QStringLiteral(" Channel [") + QChar(u'A' + door - 1) + QStringLiteral("] Name:   ")
                 + controller.GetDoorLabel(door, true) + QLatin1Char('\n');
    return block;
}

QString CWFDoc::FormatRemoteDevices()
{
    QString block = QStringLiteral("Remote Devices Device        Control  Direction  Option  Name\n");
    for (int device = kFirstDevice; device <= kLastDevice; ++device) {
        const int record = VLLayout::kDevices.At(device);
        const std::uint8_t flags = m_controllerMemory.Byte(record);
        const std::uint8_t type = m_controllerMemory.Byte(record + kDeviceTypeByte);
        QString typeName;
        if (device < kFirstOptionDevice)
            typeName = NameAt(DeviceTypeNames, type);
        else
            typeName = type == 0 ? NameAt(DeviceOptionNames, 0) : NameAt(DeviceOptionNames, type - kFirstWiegandType);
        QString options;
        for (int bit = kFirstDeviceOptionBit; bit < kFirstDeviceOptionBit + kDeviceOptionBits; ++bit)
            options += QLatin1Char((flags >> bit) & 1 ? 'N' : 'Y');
        QString name;
        m_controllerMemory.ExchangeDeviceName(device, name, 1);
        block += QString::asprintf("    DV[%02u]     ", static_cast<unsigned>(device))
                 + PadRight(typeName, kDeviceTypeWidth)
                 + PadRight(NameAt(RelayNames, m_controllerMemory.Byte(record + kDeviceChannelByte)),
                            kDeviceChannelWidth)
                 + PadRight(NameAt(DeviceDirectionNames, flags & kDeviceDirectionBits), kDeviceDirectionWidth)
                 + PadRight(options, kDeviceOptionsWidth) + name + QLatin1Char('\n');
    }
    return block;
}

QString CWFDoc::FormatObstacleTransmitters()
{
    QString block = QStringLiteral("Obstacle Transmitters:   Facility Code   Transmitter Code Name\n");
    for (int index = 0; index < VLLayout::kObstacles.count; ++index) {
        ObstacleRecord record{};
        m_controllerMemory.ExchangeObstacleBlock(index, record, 1);
        if (!(record[0] & kObstacleInUse))
            continue;
        QString name;
        if (record[0] & kObstacleNamed) {
            for (int i = kObstacleName; i < kObstacleName + kMaxObstacleName && record[static_cast<std::size_t>(i)];
                 ++i)
                name += QLatin1Char(static_cast<char>(record[static_cast<std::size_t>(i)]));
        }
        block += QString::asprintf("     OBST[%02d]                 %2d            %5d        ", index + 1,
                                   LowFirstWord(record, kObstacleFacilityCode),
                                   LowFirstWord(record, kObstacleTransmitterCode))
                 + name + QLatin1Char('\n');
    }
    return block;
}
