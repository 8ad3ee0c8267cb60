#include "image/CVLGlobalMemory.h"

#include "common/Vocabulary.h"

#include <QDate>
#include <QDir>

#include <numeric>

using namespace VLLayout;

namespace {

enum class GroupKind { Plain, DisplayMessages, AntiPassback };

struct SettingsGroup
{
    ImageSpan compared;
    ImageSpan restored;
    const char* question;
    GroupKind kind = GroupKind::Plain;
};

constexpr int kComparedCardholderBytes = Chs::kMode + 1;
constexpr int kComparedExpiringBytes = Holiday::kYear + 1;

constexpr ImageSpan One(int offset)
{
    return {offset, 1};
}

const std::array kSettingsGroups = {
    SettingsGroup{One(kSystemSetup), One(kSystemSetup), "The system setup has changed.\nSave the changes?"},
    SettingsGroup{WholeTable(kButtonSchedules), WholeTable(kButtonSchedules),
                  "The button schedules have changed.\nSave the changes?"},
    SettingsGroup{WholeTable(kTransmitterFacilityCodes), WholeTable(kTransmitterFacilityCodes),
                  "The transmitter facility codes have changed.\nSave the changes?"},
    SettingsGroup{WholeTable(kCardFacilityCodes), WholeTable(kCardFacilityCodes),
                  "The card facility codes have changed.\nSave the changes?"},
    SettingsGroup{One(kDirCodeLength), One(kDirCodeLength),
                  "The directory code length has changed.\nSave the changes?"},
    SettingsGroup{One(kPbxDigit), One(kPbxDigit), "The pbx dialing digit has changed.\nSave the changes?"},
    SettingsGroup{One(kTalkTime), One(kTalkTime), "The Talk Time has changed.\nSave the changes?"},
    SettingsGroup{One(kPostKeyChannel), One(kPostKeyChannel), "The post key setting has changed.\nSave the changes?"},
    SettingsGroup{WholeTable(kDownlightTimes), WholeTable(kDownlightTimes),
                  "The Downlight On/Off time has changed.\nSave the changes?"},
    SettingsGroup{EachRecord(kCardholderSets, 0, kComparedCardholderBytes), WholeTable(kCardholderSets),
                  "The cardholder set settings have changed.\nSave the changes?"},
    SettingsGroup{EachRecord(kDoorValGroups, 0, kSharedValGroupBytes), WholeTable(kDoorValGroups),
                  "The door validation group settings have changed.\nSave the changes?"},
    SettingsGroup{EachRecord(kFloorValGroups, 0, kSharedValGroupBytes), WholeTable(kFloorValGroups),
                  "The floor validation group settings have changed.\nSave the changes?"},
    SettingsGroup{WholeTable(kHolidays), WholeTable(kHolidays), "The holiday settings has changed.\nSave the changes?"},
    SettingsGroup{EachRecord(kExpiringHolidays, 0, kComparedExpiringBytes), WholeTable(kExpiringHolidays),
                  "The Expiring Holiday settings have changed.\nSave the changes?"},
    SettingsGroup{WholeTable(kTimeZones), WholeTable(kTimeZones),
                  "The time zone settings has changed.\nSave the changes?"},
    SettingsGroup{WholeTable(kDisplaySlots), EachRecord(kDisplaySlots, kDisplayFlag, 1),
                  "The Display Messages has changed.\nSave the changes?", GroupKind::DisplayMessages},
    SettingsGroup{One(kAntiPassbackTime), One(kAntiPassbackTime),
                  "The Anti-PassBack time has changed.\nSave the changes?", GroupKind::AntiPassback},
};

constexpr int kMinutesPerHour = 60;
constexpr int kTransitionKeyBase = 2048;
constexpr int kMinutesPerDay = 1440;
constexpr int kEntriesPerZone = 8;
constexpr int kEdgesPerPeriod = 2;
constexpr const char* kNoHoliday = "-";
constexpr const char* kInvalidHoliday = "Invalid - Please Delete";

} // namespace

void CVLGlobalMemory::ExchangeDirectoryBeginsAtMiddle(bool& value, int get)
{
    ExchangeBits(kSystemSetup, kDirectoryAtMiddleBit, value, get);
}

void CVLGlobalMemory::ExchangeTalkTime(std::uint8_t& value, int get)
{
    ExchangeByte(kTalkTime, value, get);
}

void CVLGlobalMemory::ExchangeDirCodeLength(std::uint8_t& value, int get)
{
    ExchangeByte(kDirCodeLength, value, get);
}

void CVLGlobalMemory::ExchangePbxDigit(std::uint8_t& value, int get)
{
    ExchangeByte(kPbxDigit, value, get);
}

void CVLGlobalMemory::ExchangePostKeyChannel(std::uint8_t& value, int get)
{
    ExchangeByte(kPostKeyChannel, value, get);
}

bool CVLGlobalMemory::ExchangeTransmitterFacilityCode(int index, std::uint16_t& code, int get)
{
    if (!kTransmitterFacilityCodes.Has(index))
        return false;
    ExchangeWord(kTransmitterFacilityCodes.At(index), code, get);
    return true;
}

bool CVLGlobalMemory::ExchangeCardFacilityCode(int index, std::uint16_t& code, int get)
{
    if (!kCardFacilityCodes.Has(index))
        return false;
    ExchangeWord(kCardFacilityCodes.At(index), code, get);
    return true;
}

std::uint16_t CVLGlobalMemory::GetFacilityCodeByMask(std::uint16_t mask, int kind) const
{
    const RecordTable table = kind == CardFacility ? kCardFacilityCodes : kTransmitterFacilityCodes;
    for (int bit = 0; bit < table.count; ++bit) {
        if (mask & (1u << bit))
            return Word(table.At(bit));
    }
    return 0;
}

void CVLGlobalMemory::ExchangeDownlightTime(std::uint16_t& onTime, std::uint16_t& offTime, int get)
{
    ExchangeWord(kDownlightTimes.At(0) + kDownlightOn, onTime, get);
    ExchangeWord(kDownlightTimes.At(0) + kDownlightOff, offTime, get);
}

bool CVLGlobalMemory::ExchangeHoliday(int index, std::uint8_t& month, std::uint8_t& day, int get)
{
    if (!kHolidays.Has(index))
        return false;
    ExchangeByte(kHolidays.At(index) + Holiday::kMonth, month, get);
    ExchangeByte(kHolidays.At(index) + Holiday::kDay, day, get);
    return true;
}

bool CVLGlobalMemory::ExchangeExpiringHoliday(int index, std::uint8_t& month, std::uint8_t& day, std::uint8_t& year,
                                              int get)
{
    if (!kExpiringHolidays.Has(index))
        return false;
    const int at = kExpiringHolidays.At(index);
    ExchangeByte(at + Holiday::kMonth, month, get);
    ExchangeByte(at + Holiday::kDay, day, get);
    ExchangeByte(at + Holiday::kYear, year, get);
    return true;
}

QString CVLGlobalMemory::FormatHoliday(int index) const
{
    if (!kHolidays.Has(index))
        return QString::fromLatin1(kNoHoliday);
    const int month = Byte(kHolidays.At(index) + Holiday::kMonth);
    const int day = Byte(kHolidays.At(index) + Holiday::kDay);
    if (month == 0 || day == 0)
        return QString::fromLatin1(kNoHoliday);
    return QStringLiteral("%1, %2").arg(MonthName(month), QString::number(day));
}

QString CVLGlobalMemory::FormatExpiringHoliday(int index) const
{
    if (!kExpiringHolidays.Has(index))
        return QString::fromLatin1(kNoHoliday);
    const int at = kExpiringHolidays.At(index);
    const int month = Byte(at + Holiday::kMonth);
    const int day = Byte(at + Holiday::kDay);
    const int year = Byte(at + Holiday::kYear);
    if (month == 0 || day == 0 || year == 0)
        return QString::fromLatin1(kNoHoliday);
    const QDate date(Holiday::kFirstYear + year, month, day);
    if (!date.isValid())
        return QString::fromLatin1(kInvalidHoliday);
    // Weekday names are stored from Sunday; Qt counts from Monday.
    const int weekday = date.dayOfWeek() % 7 + 1;
    return QStringLiteral("%1, %2, %3, %4").arg(WeekdayName(weekday), MonthName(month), QString::number(day), QString::number(date.year()));
}

bool CVLGlobalMemory::LoadGlobalSettings(const QString& controllerFolder)
{
    return LoadFile(QDir(controllerFolder).filePath(QString::fromLatin1(kGlobalSettingsFile)), 0, 0, {});
}

bool CVLGlobalMemory::CompareCardholderSets() const
{
    return SpanDiffers(EachRecord(kCardholderSets, 0, kComparedCardholderBytes));
}

void CVLGlobalMemory::RestoreCardholderSets()
{
    RestoreSpan(WholeTable(kCardholderSets));
}

int CVLGlobalMemory::CheckSettingsChanged(int ask)
{
    int result = 0;
    for (const SettingsGroup& group : kSettingsGroups) {
        if (!SpanDiffers(group.compared))
            continue;
        if (!ask)
            return 1;
        const bool save = AskToSave(group.question);
        if (save && group.kind == GroupKind::AntiPassback)
            return 1;
        if (save) {
            result = 1;
            continue;
        }
        if (group.kind == GroupKind::DisplayMessages) {
            // Display messages count as changed whatever the answer; only the
            // flags from the first changed slot on are put back.
            result = 1;
            int first = 0;
            while (first + 1 < kDisplaySlots.count && !SpanDiffers({kDisplaySlots.At(first), kDisplaySlots.size}))
                ++first;
            RestoreSpan({kDisplaySlots.At(first) + kDisplayFlag, 1, kDisplaySlots.size, kDisplaySlots.count - first});
            continue;
        }
        RestoreSpan(group.restored);
    }
    return result;
}

int CVLGlobalMemory::TransitionKey(int entry) const
{
    if (!kTransitionOrder.Has(entry))
        return 0;
    const int zone = entry / kEntriesPerZone;
    const int period = entry / kEdgesPerPeriod % TimeZone::kPeriodCount;
    const int edge = entry % kEdgesPerPeriod;
    const int at = kTimeZones.At(zone) + TimeZone::kPeriods + TimeZone::kPeriodSize * period;
    const int startMinutes = Byte(at + TimeZone::kStartHour) * kMinutesPerHour + Byte(at + TimeZone::kStartHour + 1);
    const int endMinutes = Byte(at + TimeZone::kEndHour) * kMinutesPerHour + Byte(at + TimeZone::kEndHour + 1);
    if (startMinutes == endMinutes)
        return 0;
    return (edge == 0 ? startMinutes : endMinutes) + kTransitionKeyBase;
}

void CVLGlobalMemory::BuildTransitionOrder()
{
    // Entry 0 doubles as the mark of an empty place and sorts by its own key;
    // the panel reads the table that way.
    std::array<std::uint8_t, kTransitionOrder.count> order{};
    std::iota(order.begin(), order.end(), std::uint8_t{0});
    for (std::size_t i = 0; i < order.size(); ++i) {
        int best = kTransitionKeyBase + kMinutesPerDay;
        for (std::size_t j = i; j < order.size(); ++j) {
            const int key = TransitionKey(order[j]);
            if (key == 0) {
                order[j] = 0;
            } else if (key <= best) {
                std::swap(order[i], order[j]);
                best = key;
            }
        }
    }
    for (int i = 0; i < kTransitionOrder.count; ++i)
        SetByte(kTransitionOrder.At(i), order[static_cast<std::size_t>(i)]);
}
