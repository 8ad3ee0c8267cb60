#include "image/CVLControllerMemory.h"

#include "platform/MessageBox.h"

#include <algorithm>

using namespace VLLayout;

namespace {

struct ControllerGroup
{
    ImageSpan span;
    const char* question;
};

constexpr ImageSpan One(int offset)
{
    return {offset, 1};
}

constexpr ImageSpan Field(RecordTable table, int index)
{
    return {table.At(index), table.size};
}

const std::array kControllerGroups = {
    ControllerGroup{One(kKeypadStrikes), "The Keypad Strikes and Out has changed.\nSave the changes?"},
    ControllerGroup{One(kDoorAjarTime), "The door ajar time has changed.\nSave the changes?"},
    ControllerGroup{{kRadioDirection, 1, 0, 1, kRadioDirectionBits},
                    "The integral radio direction setting has changed.\nSave the changes?"},
    ControllerGroup{Bytes(kDirectoryCount, kDirectoryCount + 1),
                    "The number of directory codes queued has changed.\nSave the changes?"},
    ControllerGroup{Bytes(kDirectoryListStart, kDirectoryListStart + 1),
                    "The start of the directory code alphabetic list has changed.\nSave the changes?"},
    ControllerGroup{Bytes(kDirectoryMidpoint, kDirectoryMidpoint + 1),
                    "The index to the midpoint of the directory codes queued has changed.\nSave the changes?"},
    ControllerGroup{{kRemotePassword, kRemotePasswordLength},
                    "The remote access password for this controller has changed.\nSave the changes?"},
    ControllerGroup{{kPriorityPassword, kPriorityPasswordLength},
                    "The priority access password for this controller has changed.\nSave the changes?"},
    ControllerGroup{Field(kModemStrings, 0), "Modem init string 1 has changed.\nSave the changes?"},
    ControllerGroup{Field(kModemStrings, 1), "Modem init string 2 has changed.\nSave the changes?"},
    ControllerGroup{Field(kModemStrings, 2), "Modem termination string has changed.\nSave the changes?"},
    ControllerGroup{WholeTable(kRelays), "The relay settings have changed.\nSave the changes?"},
    ControllerGroup{WholeTable(kObstacles), "The Obstacle transmitter setting has changed.\nSave the changes?"},
    ControllerGroup{WholeTable(kDevices), "The remote device settings have changed.\nSave changes?"},
    ControllerGroup{One(kPriorityDoors),
                    "The door assignment to the Priority Access has changed.\nSave the changes?"},
    ControllerGroup{WholeTable(kDoorSchedules), "The Door Schedules have changed\nSave changes?"},
    ControllerGroup{Field(kNames, kInstallationName), "The name for the installation has changed.\nSave the changes?"},
    ControllerGroup{Field(kNames, kControllerName), "The name for this controller has changed.\nSave the changes?"},
    ControllerGroup{{kNames.At(kFirstChannelName), kNames.size * kChannelCount},
                    "The name for a channel has changed.\nSave the changes?"},
    ControllerGroup{One(kDirectorySubsets), "The directory subsets have changed.\nSave the changes?"},
    ControllerGroup{WholeTable(kFloorSchedules), "The Cab relay settings have changed.\nSave the changes?"},
    ControllerGroup{WholeTable(kTovixAddresses), "The address for an Tovix relay has changed.\nSave the changes?"},
    ControllerGroup{One(kTovixActivationTime),
                    "The activation time for the the Tovix relays has changed.\nSave the changes?"},
};

constexpr const char* kRemoteTooLong = "Remote Access Password can only be up to 8 characters long";
constexpr const char* kPriorityTooLong = "Priority Access password can only be up to 6 characters long.";
constexpr std::uint8_t kHighNibble = 0xF0;
constexpr int kTimingModeCount = 4;

} // namespace

QString CVLControllerMemory::GetFirmwareVersion() const
{
    QString text;
    text += QLatin1Char(static_cast<char>(Byte(kFirmwareVersion)));
    text += QLatin1Char('.');
    text += QLatin1Char(static_cast<char>(Byte(kFirmwareVersion + 1)));
    text += QLatin1Char(static_cast<char>(Byte(kFirmwareVersion + 2)));
    return text;
}

void CVLControllerMemory::ExchangeKeypadStrikes(std::uint8_t& value, int get)
{
    ExchangeByte(kKeypadStrikes, value, get);
}

void CVLControllerMemory::ExchangeDoorAjarTime(std::uint8_t& value, int get)
{
    ExchangeByte(kDoorAjarTime, value, get);
}

void CVLControllerMemory::ExchangeRadioDirection(std::uint8_t& value, int get)
{
    if (get) {
        value = Byte(kRadioDirection) & kRadioDirectionBits;
        return;
    }
    SetByte(kRadioDirection, static_cast<std::uint8_t>((Byte(kRadioDirection) & ~kRadioDirectionBits) |
                                                       (value & kRadioDirectionBits)));
}

bool CVLControllerMemory::ExchangePassword(int offset, int length, QString& text, int get, const char* tooLong)
{
    std::uint8_t* const begin = Image().data() + offset;
    if (get) {
        const std::uint8_t* first = std::find_if(begin, begin + length, [](std::uint8_t c) { return c != 0; });
        text = QString::fromLatin1(reinterpret_cast<const char*>(first), begin + length - first);
        return true;
    }
    const QByteArray bytes = text.toLatin1();
    if (bytes.size() > length) {
        ShowMessageBox(QString::fromLatin1(tooLong), MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    std::fill_n(begin, length, std::uint8_t{0});
    std::copy(bytes.begin(), bytes.end(), begin + (length - bytes.size()));
    return true;
}

bool CVLControllerMemory::ExchangeRemotePassword(QString& text, int get)
{
    return ExchangePassword(kRemotePassword, kRemotePasswordLength, text, get, kRemoteTooLong);
}

bool CVLControllerMemory::ExchangePriorityPassword(QString& text, int get)
{
    return ExchangePassword(kPriorityPassword, kPriorityPasswordLength, text, get, kPriorityTooLong);
}

bool CVLControllerMemory::ExchangeModemString(int index, QString& text, int get)
{
    if (!kModemStrings.Has(index))
        return false;
    ExchangeText(kModemStrings.At(index), kModemStrings.size, text, get);
    return true;
}

void CVLControllerMemory::SetRelayFlags(std::uint8_t value)
{
    SetByte(kRelayFlags, value);
}

bool CVLControllerMemory::RelayOffset(int relay, int field, int& offset) const
{
    if (!kRelays.Has(relay))
        return false;
    offset = kRelays.At(relay) + field;
    return true;
}

bool CVLControllerMemory::ExchangeRelayTimingMode(int relay, int& mode, int get)
{
    int at = 0;
    if (!RelayOffset(relay, Relay::kTiming, at))
        return false;
    const std::uint8_t byte = Byte(at);
    if (get) {
        mode = 0;
        for (std::size_t m = 0; m < Relay::kTimingModeBit.size() && mode == 0; ++m)
            if (byte & Relay::kTimingModeBit[m])
                mode = static_cast<int>(m) + 1;
        return true;
    }
    if (mode < 0 || mode >= kTimingModeCount)
        return false;
    std::uint8_t value = byte & static_cast<std::uint8_t>(~Relay::kTimingBits);
    if (mode > 0)
        value |= Relay::kTimingModeBit[static_cast<std::size_t>(mode - 1)];
    SetByte(at, value);
    return true;
}

bool CVLControllerMemory::ExchangeRelayOperation(int relay, std::uint8_t& value, int get)
{
    int at = 0;
    if (!RelayOffset(relay, Relay::kOperation, at))
        return false;
    if (get)
        value = Byte(at) & Relay::kOperationBits;
    else
        SetByte(at, static_cast<std::uint8_t>((Byte(at) & kHighNibble) | (value & Relay::kOperationBits)));
    return true;
}

bool CVLControllerMemory::ExchangeRelayPhoneDigit(int relay, std::uint8_t& value, int get)
{
    int at = 0;
    if (!RelayOffset(relay, Relay::kOperation, at))
        return false;
    if (get)
        value = Byte(at) >> Relay::kPhoneDigitShift;
    else
        SetByte(at, static_cast<std::uint8_t>((Byte(at) & Relay::kOperationBits) | (value << Relay::kPhoneDigitShift)));
    return true;
}

bool CVLControllerMemory::ExchangeRelayExtra(int relay, std::uint8_t& value, int get)
{
    int at = 0;
    if (!RelayOffset(relay, Relay::kExtra, at))
        return false;
    ExchangeByte(at, value, get);
    return true;
}

bool CVLControllerMemory::ExchangeRelayActivationTime(int relay, std::uint16_t& value, int get)
{
    int at = 0;
    if (!RelayOffset(relay, Relay::kActivationTime, at))
        return false;
    ExchangeWord(at, value, get);
    return true;
}

bool CVLControllerMemory::ExchangeRelayTimeZone(int relay, int index, std::uint8_t& zone, int get)
{
    int at = 0;
    if (index < 0 || index >= Relay::kTimeZoneCount || !RelayOffset(relay, Relay::kTimeZones + index, at))
        return false;
    ExchangeByte(at, zone, get);
    return true;
}

bool CVLControllerMemory::ExchangeObstacleBlock(int index, ObstacleRecord& record, int get)
{
    if (!kObstacles.Has(index))
        return false;
    const auto begin = Image().begin() + kObstacles.At(index);
    if (get)
        std::copy_n(begin, record.size(), record.begin());
    else
        std::copy(record.begin(), record.end(), begin);
    return true;
}

void CVLControllerMemory::ExchangeNetworkAddress(std::uint8_t& value, int get)
{
    ExchangeByte(kNetworkAddress, value, get);
}

bool CVLControllerMemory::ExchangeDeviceName(int device, QString& text, int get)
{
    if (!kDevices.Has(device))
        return false;
    ExchangeText(kDevices.At(device) + Device::kName, Device::kNameLength, text, get);
    return true;
}

void CVLControllerMemory::ExchangePriorityDoors(std::uint8_t mask, bool& value, int get)
{
    ExchangeBits(kPriorityDoors, mask, value, get);
}

bool CVLControllerMemory::ExchangeDirectoryName(int index, QString& text, int get)
{
    if (!kNames.Has(index))
        return false;
    ExchangeText(kNames.At(index), kNames.size, text, get);
    return true;
}

void CVLControllerMemory::ExchangeDirectorySubsets(std::uint8_t mask, bool& value, int get)
{
    ExchangeBits(kDirectorySubsets, mask, value, get);
}

void CVLControllerMemory::ClearTovixAddresses()
{
    for (int i = 0; i < kTovixAddresses.count; ++i)
        SetByte(kTovixAddresses.At(i), 0);
}

bool CVLControllerMemory::SetTovixAddress(int module, std::uint8_t address)
{
    const int index = module - kFirstTovixModule;
    if (!kTovixAddresses.Has(index))
        return false;
    SetByte(kTovixAddresses.At(index), address);
    return true;
}

void CVLControllerMemory::ExchangeTovixActivationTime(std::uint8_t& value, int get)
{
    ExchangeByte(kTovixActivationTime, value, get);
}

int CVLControllerMemory::ExchangeSettingsChanged(int ask)
{
    for (const ControllerGroup& group : kControllerGroups) {
        if (!SpanDiffers(group.span))
            continue;
        if (!ask || AskToSave(group.question))
            return 1;
        RestoreSpan(group.span);
    }
    return 0;
}
