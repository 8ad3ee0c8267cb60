#include "image/CVLMemory.h"

#include "image/CVLGlobalMemory.h"
#include "platform/MessageBox.h"

#include <QDir>

#include <algorithm>
#include <cstring>

using namespace VLLayout;

namespace {

constexpr std::array<std::uint8_t, 4> kDefaultButtonSchedules = {2, 3, 7, 8};
constexpr std::uint8_t kDefaultSpareByte9 = 2;
constexpr std::uint8_t kDefaultTalkTime = 60;
constexpr std::uint8_t kDefaultDirCodeLength = 3;
constexpr std::array<const char*, 3> kDefaultModemStrings = {"ATH0E0S0=0Q0&G17&H2 ", "ATH0 ", "ATH0 "};
constexpr std::uint8_t kDefaultRelayTiming = 31;
constexpr std::uint16_t kDefaultRelayActivationTime = 2;
// Telephone digit 9 opens channel A, digit 5 channel B.
constexpr std::uint8_t kDefaultRelayADigit = 0x90;
constexpr std::uint8_t kDefaultRelayBDigit = 0x50;
constexpr int kDeviceZeroOptionByte = 2;
constexpr std::uint8_t kDefaultDeviceZeroOption = 4;
constexpr std::uint8_t kDefaultFixedDeviceSettings = 128;
constexpr int kDefaultActiveSets = 3;
constexpr std::uint8_t kNoGroup = 0xFF;
constexpr int kOpenSet = 1;
constexpr std::array<const char*, kChannelCount> kDefaultChannelNames = {"Channel A", "Channel B", "Channel C",
                                                                         "Channel D"};
constexpr std::array kShownDisplaySlots = {0,  7,  8,  9,  10, 11, 13, 14, 16, 18, 19, 20,
                                           22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};
constexpr std::uint8_t kDefaultDirectorySubsets = 1;
constexpr const char* kDefaultPassword = "580317";
constexpr std::uint8_t kFirstVersionChar = '0';
constexpr std::uint8_t kLastVersionChar = 'z';
constexpr const char* kFallbackVersion = "001";
constexpr int kNetworkDivisor = 10;

constexpr const char* kCannotLocate = "Cannot locate ";
constexpr const char* kCheckInstallation = "Exit Wardix and check your installation.";

void PutText(VLImage& image, int offset, const char* text)
{
    const std::size_t length = std::strlen(text);
    if (offset < 0 || offset + static_cast<int>(length) > kImageSize)
        return;
    std::copy_n(reinterpret_cast<const std::uint8_t*>(text), length, image.begin() + offset);
}

bool IsPrintableVersion(const FirmwareVersion& version)
{
    return std::all_of(version.begin(), version.end(),
                       [](std::uint8_t c) { return c >= kFirstVersionChar && c <= kLastVersionChar; });
}

void WarnUnreadableVersion(const FirmwareVersion& version)
{
    const QString text = QString::asprintf("%s\n\n%s %02xH, %02xH and %02xH.\n\n%s",
                                           "The firmware version number was not received from the controller",
                                           "The three hex bytes received were ", version[0], version[1],
                                           version[2],
                                           "This will be replaced on the node's General tab display with "
                                           "version '0.01'.");
    ShowMessageBox(text, MbButtons::Ok, MbIcon::Exclamation);
}

} // namespace

CVLMemory::CVLMemory() = default;

CVLMemory::~CVLMemory() = default;

std::uint8_t CVLMemory::Byte(int offset) const
{
    if (offset < 0 || offset >= kImageSize)
        return 0;
    return m_VLMemory[static_cast<std::size_t>(offset)];
}

void CVLMemory::SetByte(int offset, std::uint8_t value)
{
    if (offset < 0 || offset >= kImageSize)
        return;
    m_VLMemory[static_cast<std::size_t>(offset)] = value;
}

std::uint16_t CVLMemory::Word(int offset) const
{
    return static_cast<std::uint16_t>(Byte(offset) << 8 | Byte(offset + 1));
}

void CVLMemory::SetWord(int offset, std::uint16_t value)
{
    if (offset < 0 || offset + 1 >= kImageSize)
        return;
    SetByte(offset, static_cast<std::uint8_t>(value >> 8));
    SetByte(offset + 1, static_cast<std::uint8_t>(value & 0xFF));
}

void CVLMemory::FillDefaults(std::uint8_t nodeCode, const FirmwareVersion& version)
{
    const int net = nodeCode / kNetworkDivisor;
    const int node = nodeCode % kNetworkDivisor;
    m_VLMemory.fill(0);
    if (IsPrintableVersion(version)) {
        std::copy(version.begin(), version.end(), m_VLMemory.begin() + kFirmwareVersion);
    } else {
        WarnUnreadableVersion(version);
        PutText(m_VLMemory, kFirmwareVersion, kFallbackVersion);
    }
    FillRecordDefaults();
    SetByte(kNetworkIndex, static_cast<std::uint8_t>(net));
    SetByte(kNetworkAddress, static_cast<std::uint8_t>(node));
    FillPasswordDefaults(net, node);
}

void CVLMemory::FillRecordDefaults()
{
    for (int b = 0; b < kButtonSchedules.count; ++b)
        SetByte(kButtonSchedules.At(b), kDefaultButtonSchedules[static_cast<std::size_t>(b)]);
    SetByte(kSpareByte9, kDefaultSpareByte9);
    SetByte(kTalkTime, kDefaultTalkTime);
    SetByte(kDirCodeLength, kDefaultDirCodeLength);
    for (int i = 0; i < kModemStrings.count; ++i)
        PutText(m_VLMemory, kModemStrings.At(i), kDefaultModemStrings[static_cast<std::size_t>(i)]);

    for (int r = 0; r < kRelays.count; ++r) {
        SetByte(kRelays.At(r) + Relay::kTiming, kDefaultRelayTiming);
        SetWord(kRelays.At(r) + Relay::kActivationTime, kDefaultRelayActivationTime);
    }
    SetByte(kRelays.At(0) + Relay::kOperation, kDefaultRelayADigit);
    SetByte(kRelays.At(1) + Relay::kOperation, kDefaultRelayBDigit);

    SetByte(kDevices.At(0) + kDeviceZeroOptionByte, kDefaultDeviceZeroOption);
    SetByte(kDevices.At(Device::kFixedDevice), kDefaultFixedDeviceSettings);
    SetByte(kFixedDeviceTypeByte, Device::kFixedDeviceType);

    for (int s = 0; s < kCardholderSets.count; ++s) {
        const int set = kCardholderSets.At(s);
        if (s < kDefaultActiveSets)
            SetByte(set + Chs::kFlags, Chs::kActiveFlags);
        for (int e = 0; e < Chs::kEntries; ++e) {
            const std::uint8_t group = (s == kOpenSet && e == 0) ? 0 : kNoGroup;
            SetByte(set + Chs::kDvg + e, group);
            SetByte(set + Chs::kFvg + e, group);
            SetByte(set + Chs::kTz + e, group);
        }
    }

    for (int c = 0; c < kChannelCount; ++c)
        PutText(m_VLMemory, kNames.At(kFirstChannelName + c), kDefaultChannelNames[static_cast<std::size_t>(c)]);
    for (int i = 0; i < kDisplaySlots.count; ++i)
        SetByte(kDisplaySlots.At(i) + kDisplayMessage, static_cast<std::uint8_t>(i));
    for (int slot : kShownDisplaySlots)
        SetByte(kDisplaySlots.At(slot) + kDisplayFlag, 1);
    SetByte(kDirectorySubsets, kDefaultDirectorySubsets);
    SetByte(kTovixActivationTime, kDefaultTovixActivationTime);
}

void CVLMemory::FillPasswordDefaults(int net, int node)
{
    RemotePassword remote{};
    PriorityPassword priority{};
    if (node == kFirstNodeAddress) {
        const std::size_t length = std::strlen(kDefaultPassword);
        std::copy_n(kDefaultPassword, length, remote.end() - static_cast<std::ptrdiff_t>(length));
        std::copy_n(kDefaultPassword, length, priority.end() - static_cast<std::ptrdiff_t>(length));
        NetworkPasswords::Store(net, remote, priority);
    } else {
        // Every other node of a net starts with the passwords of its node 1.
        remote = NetworkPasswords::Remote(net).value_or(RemotePassword{});
        priority = NetworkPasswords::Priority(net).value_or(PriorityPassword{});
    }
    std::copy(remote.begin(), remote.end(), m_VLMemory.begin() + kRemotePassword);
    std::copy(priority.begin(), priority.end(), m_VLMemory.begin() + kPriorityPassword);
}

void CVLMemory::GetLoadedPasswords(RemotePassword& remote, PriorityPassword& priority) const
{
    remote = m_loadedRemote;
    priority = m_loadedPriority;
}

std::uint8_t CVLMemory::GetButtonSchedule(int button) const
{
    const int index = button - kFirstButton;
    if (!kButtonSchedules.Has(index))
        return 0;
    return Byte(kButtonSchedules.At(index));
}

bool CVLMemory::SetDoorSchedule(std::uint8_t& value, int schedule)
{
    if (schedule < kFirstDoorSchedule || !kDoorSchedules.Has(schedule))
        return false;
    value %= kDoorScheduleModulo;
    SetByte(kDoorSchedules.At(schedule), value);
    return true;
}

CabMasks CVLMemory::GetFloorSchedule(int schedule) const
{
    CabMasks cabs{};
    if (!kFloorSchedules.Has(schedule))
        return cabs;
    for (int c = 0; c < kCabCount; ++c) {
        const int at = kFloorSchedules.At(schedule) + c * kCabMaskSize;
        cabs[static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(Byte(at) | Byte(at + 1) << 8 | Byte(at + 2) << 16);
    }
    return cabs;
}

bool CVLMemory::SetFloorSchedule(int schedule, const CabMasks& cabs)
{
    if (!kFloorSchedules.Has(schedule))
        return false;
    for (int c = 0; c < kCabCount; ++c) {
        const int at = kFloorSchedules.At(schedule) + c * kCabMaskSize;
        const std::uint32_t mask = cabs[static_cast<std::size_t>(c)] & kCabMaskBits;
        for (int b = 0; b < kCabMaskSize; ++b)
            SetByte(at + b, static_cast<std::uint8_t>(mask >> (8 * b)));
    }
    // Schedule 0 is every floor of any schedule. Rebuilt rather than ORed
    // into, so a floor taken out of its last schedule leaves it too.
    const int allFloors = kFloorSchedules.At(0);
    for (int b = 0; b < kFloorSchedules.size; ++b) {
        std::uint8_t any = 0;
        for (int s = 1; s < kFloorSchedules.count; ++s)
            any |= Byte(kFloorSchedules.At(s) + b);
        SetByte(allFloors + b, any);
    }
    return true;
}

void CVLMemory::BindDisplayMessageSlots(const DisplayJustifications& justifications)
{
    for (int i = 0; i < kDisplaySlots.count; ++i)
        SetByte(kDisplaySlots.At(i) + kDisplayFlag, justifications[static_cast<std::size_t>(i)]);
}

bool CVLMemory::MergeGlobalSettings(const QString& controllerFolder)
{
    static constexpr std::array kSharedSettings = {
        ImageSpan{kSystemSetup, 1},
        WholeTable(kButtonSchedules),
        WholeTable(kTransmitterFacilityCodes),
        WholeTable(kCardFacilityCodes),
        Bytes(kTalkTime, kPostKeyChannel),
        WholeTable(kDownlightTimes),
        WholeTable(kCardholderSets),
        EachRecord(kDoorValGroups, 0, kSharedValGroupBytes),
        EachRecord(kFloorValGroups, 0, kSharedValGroupBytes),
        WholeTable(kHolidays),
        WholeTable(kExpiringHolidays),
        WholeTable(kTimeZones),
        ImageSpan{kAntiPassbackTime, 1},
        WholeTable(kDisplaySlots),
        WholeTable(kTransitionOrder),
    };
    CVLGlobalMemory global;
    if (!global.LoadGlobalSettings(controllerFolder)) {
        const QString path = QDir(controllerFolder).filePath(QString::fromLatin1(kGlobalSettingsFile));
        ShowMessageBox(QString::fromLatin1(kCannotLocate) + path + QStringLiteral("\n\n") +
                           QString::fromLatin1(kCheckInstallation),
                       MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    for (const ImageSpan& span : kSharedSettings)
        CopySpan(m_VLMemory, global.Image(), span);
    for (int offset = kMergeCleared.offset; offset < kMergeCleared.offset + kMergeCleared.length; ++offset)
        SetByte(offset, 0);
    return true;
}

bool CVLMemory::SpanDiffers(const ImageSpan& span) const
{
    for (int r = 0; r < span.count; ++r) {
        for (int b = 0; b < span.length; ++b) {
            const int at = span.offset + r * span.stride + b;
            if (at < 0 || at >= kImageSize)
                continue;
            const auto i = static_cast<std::size_t>(at);
            if ((m_VLMemory[i] ^ m_VLMemoryMiror[i]) & span.mask)
                return true;
        }
    }
    return false;
}

void CVLMemory::RestoreSpan(const ImageSpan& span)
{
    CopySpan(m_VLMemory, m_VLMemoryMiror, span);
}

void CVLMemory::CopySpan(VLImage& to, const VLImage& from, const ImageSpan& span)
{
    for (int r = 0; r < span.count; ++r) {
        for (int b = 0; b < span.length; ++b) {
            const int at = span.offset + r * span.stride + b;
            if (at < 0 || at >= kImageSize)
                continue;
            const auto i = static_cast<std::size_t>(at);
            to[i] = static_cast<std::uint8_t>((to[i] & ~span.mask) | (from[i] & span.mask));
        }
    }
}

bool CVLMemory::AskToSave(const char* question)
{
    return ShowMessageBox(QString::fromLatin1(question), MbButtons::YesNo, MbIcon::Question) == IDYES;
}

void CVLMemory::ExchangeByte(int offset, std::uint8_t& value, int get)
{
    if (get)
        value = Byte(offset);
    else
        SetByte(offset, value);
}

void CVLMemory::ExchangeWord(int offset, std::uint16_t& value, int get)
{
    if (get)
        value = Word(offset);
    else
        SetWord(offset, value);
}

void CVLMemory::ExchangeBits(int offset, std::uint8_t mask, bool& value, int get)
{
    if (get) {
        value = (Byte(offset) & mask) != 0;
        return;
    }
    const std::uint8_t kept = Byte(offset) & static_cast<std::uint8_t>(~mask);
    SetByte(offset, value ? static_cast<std::uint8_t>(kept | mask) : kept);
}

void CVLMemory::ExchangeText(int offset, int length, QString& text, int get)
{
    if (offset < 0 || length < 0 || offset + length > kImageSize)
        return;
    std::uint8_t* const begin = m_VLMemory.data() + offset;
    if (get) {
        int end = length;
        while (end > 0 && (begin[end - 1] == ' ' || begin[end - 1] == '\0'))
            --end;
        text = QString::fromLatin1(reinterpret_cast<const char*>(begin), end);
        return;
    }
    const QByteArray bytes = text.toLatin1().left(length);
    std::fill_n(begin, length, static_cast<std::uint8_t>(' '));
    std::copy(bytes.begin(), bytes.end(), begin);
}
