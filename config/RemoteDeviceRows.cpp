#include "config/RemoteDeviceRows.h"

#include "config/CabRelayMask.h"
#include "image/CVLControllerMemory.h"
#include "image/VLMemoryLayout.h"

#include <algorithm>

namespace {

using VLLayout::kDevices;

constexpr int kTypeByte = 1;
constexpr int kChannelByte = 2;
constexpr std::uint8_t kDirectionBits = 0x03;
constexpr std::uint8_t kFirstOptionOffBit = 0x10;
constexpr int kFirstReaderRow = 8;

struct TypeEntry
{
    const char* name;
    int code;
};

constexpr TypeEntry kBusTypes[] = {{"None", 0},      {"Keypad", 1},      {"Radio", 2},
                                   {"Wiegand26", 3}, {"Wiegand30", 4},   {"Wiegand31", 5},
                                   {"Tovix Enclosure", 7}, {"Tovix Mod1", 8}, {"Tovix Mod2", 9},
                                   {"Tovix Mod3", 10}, {"Tovix Mod4", 11}};
constexpr TypeEntry kPhoneRowTypes[] = {{"None", 0},      {"Keypad", 1},    {"Radio", 2},    {"Wiegand26", 3},
                                        {"Wiegand30", 4}, {"Wiegand31", 5}, {"Phone", 6}};
constexpr TypeEntry kReaderTypes[] = {{"None", 0}, {"Wiegand26", 3}, {"Wiegand30", 4}, {"Wiegand31", 5}};

struct TypeList
{
    const TypeEntry* entries;
    int size;
};

TypeList TypesOf(int row)
{
    if (row >= kFirstReaderRow)
        return {kReaderTypes, static_cast<int>(std::size(kReaderTypes))};
    if (row == RemoteDeviceRows::kPhoneRow)
        return {kPhoneRowTypes, static_cast<int>(std::size(kPhoneRowTypes))};
    return {kBusTypes, static_cast<int>(std::size(kBusTypes))};
}

bool IsCabChannel(int channel)
{
    return channel >= RemoteDeviceRows::kFirstCabChannel && channel <= RemoteDeviceRows::kLastCabChannel;
}

bool IsModuleType(int code)
{
    return code >= RemoteDeviceRows::kFirstModuleType && code <= RemoteDeviceRows::kLastModuleType;
}

int CabOf(int channel)
{
    return channel - RemoteDeviceRows::kFirstCabChannel + 1;
}

int ModuleOf(int code)
{
    return code - RemoteDeviceRows::kEnclosureType;
}

void AddOnce(std::vector<std::pair<int, std::int32_t>>& list, std::pair<int, std::int32_t> item)
{
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

} // namespace

QStringList RemoteDeviceRows::TypeNames(int row)
{
    const TypeList list = TypesOf(row);
    QStringList names;
    for (int i = 0; i < list.size; ++i)
        names << QString::fromLatin1(list.entries[i].name);
    return names;
}

int RemoteDeviceRows::TypeCode(int row, int position)
{
    const TypeList list = TypesOf(row);
    return position >= 0 && position < list.size ? list.entries[position].code : -1;
}

int RemoteDeviceRows::TypePosition(int row, int code)
{
    const TypeList list = TypesOf(row);
    for (int i = 0; i < list.size; ++i) {
        if (list.entries[i].code == code)
            return i;
    }
    return -1;
}

bool RemoteDeviceRows::IsTovixType(int code)
{
    return code >= kEnclosureType && code <= kLastModuleType;
}

bool RemoteDeviceRows::IsChannelFixed(int row) const
{
    return row <= kLastBusRow && IsTovixType(At(row).type);
}

void RemoteDeviceRows::Load(CVLControllerMemory& image)
{
    for (int row = 1; row <= kRows; ++row) {
        const int record = kDevices.At(row);
        Row& r = RowAt(row);
        const std::uint8_t settings = image.Byte(record);
        r.type = image.Byte(record + kTypeByte);
        r.channel = image.Byte(record + kChannelByte);
        r.direction = settings & kDirectionBits;
        for (int option = 0; option < kOptions; ++option)
            r.options[static_cast<size_t>(option)] = !(settings & (kFirstOptionOffBit << option));
        image.ExchangeDeviceName(row, r.name, 1);
        m_loadedChannels[static_cast<size_t>(row - 1)] = r.channel;
        m_loadedTypes[static_cast<size_t>(row - 1)] = r.type;
    }
}

QString RemoteDeviceRows::ChangeType(int row, int code)
{
    Row& r = RowAt(row);
    if (code == r.type)
        return {};
    if (row <= kLastBusRow && IsTovixType(code)) {
        for (int other = 1; other <= kLastBusRow; ++other) {
            if (other == row || At(other).type != code)
                continue;
            return code == kEnclosureType ? QStringLiteral("The Tovix Enclosure is already selected.")
                                          : QStringLiteral("Tovix Mod%1 is already selected.").arg(ModuleOf(code));
        }
    }
    r.type = code;
    if (IsChannelFixed(row)) {
        r.channel = kElevatorChannel;
        r.direction = 0;
    } else if (r.channel == kElevatorChannel) {
        r.channel = 0;
    }
    return {};
}

QString RemoteDeviceRows::ChangeChannel(int row, int channel)
{
    Row& r = RowAt(row);
    if (channel == r.channel)
        return {};
    if (IsCabChannel(channel)) {
        for (int other = 1; other <= kRows; ++other) {
            if (other != row && At(other).channel == channel)
                return QStringLiteral("Cab %1 is already associated with device DV%2.")
                    .arg(QString::number(CabOf(channel)), QString::number(other));
        }
    }
    if (row <= kLastBusRow && channel == kElevatorChannel && !IsTovixType(r.type))
        return QStringLiteral("Invalid Control Channel selection.\n\nYou must select an Tovix device before making this "
                              "selection.");
    r.channel = channel;
    return {};
}

void RemoteDeviceRows::SetDetails(int row, int direction, const std::array<bool, kOptions>& options, const QString& name)
{
    Row& r = RowAt(row);
    r.direction = direction;
    r.options = options;
    r.name = name;
}

std::vector<std::pair<int, std::int32_t>> RemoteDeviceRows::Save(CVLControllerMemory& image)
{
    image.ClearTovixAddresses();
    for (int row = 1; row <= kRows; ++row) {
        const int record = kDevices.At(row);
        Row& r = RowAt(row);
        image.SetByte(record + kTypeByte, static_cast<std::uint8_t>(r.type));
        if (IsModuleType(r.type))
            image.SetTovixAddress(r.type, static_cast<std::uint8_t>(row));
        image.SetByte(record + kChannelByte, static_cast<std::uint8_t>(r.channel));
        auto settings = static_cast<std::uint8_t>(r.direction & kDirectionBits);
        for (int option = 0; option < kOptions; ++option) {
            if (!r.options[static_cast<size_t>(option)])
                settings = static_cast<std::uint8_t>(settings | (kFirstOptionOffBit << option));
        }
        image.SetByte(record, settings);
        image.ExchangeDeviceName(row, r.name, 0);
    }

    const auto used = [this](int Row::*field, int value) {
        return std::any_of(m_rows.begin(), m_rows.end(), [&](const Row& r) { return r.*field == value; });
    };
    std::vector<std::pair<int, std::int32_t>> masks;
    for (int channel : m_loadedChannels) {
        if (IsCabChannel(channel) && !used(&Row::channel, channel))
            AddOnce(masks, {CabOf(channel), 0});
    }
    for (int type : m_loadedTypes) {
        if (!IsModuleType(type) || used(&Row::type, type))
            continue;
        for (int cab = 1; cab <= kCabs; ++cab)
            AddOnce(masks, {cab, static_cast<std::int32_t>(CabRelayMask::ModuleClearMask(ModuleOf(type)))});
    }
    // A cab or module added and removed again in later saves of one form
    // still has its relays cleared.
    for (int row = 1; row <= kRows; ++row) {
        m_loadedChannels[static_cast<size_t>(row - 1)] = At(row).channel;
        m_loadedTypes[static_cast<size_t>(row - 1)] = At(row).type;
    }
    return masks;
}
