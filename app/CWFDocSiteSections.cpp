#include "app/CWFDoc.h"

#include "common/Vocabulary.h"
#include "image/VLMemoryLayout.h"

#include <array>
#include <functional>

namespace {

constexpr int kHolidayCount = VLLayout::kHolidays.count;
constexpr int kButtons = 4;
constexpr int kMinutesPerHour = 60;
// The image's text for an empty holiday slot.
constexpr const char* kEmptyHoliday = "-";
constexpr std::array<const char*, 5> kAntiPassbackTimes = {"None", "1 min", "2 min", "3 min", "4 min"};

QString Holidays(const std::function<QString(int)>& text)
{
    QString lines;
    for (int holiday = 0; holiday < kHolidayCount; ++holiday) {
        const QString line = text(holiday);
        if (line != QLatin1String(kEmptyHoliday))
            lines += QStringLiteral("      ") + line + QLatin1Char('\n');
    }
    return lines;
}

QString ClockTime(std::uint16_t minutes)
{
    return QString::asprintf("%.2d:%.2d", minutes / kMinutesPerHour, minutes % kMinutesPerHour);
}

} // namespace

void CWFDoc::ListTelephoneEntry()
{
    std::uint8_t talkTime = 0;
    std::uint8_t postKey = 0;
    std::uint8_t pbxDigit = 0;
    std::uint8_t codeLength = 0;
    bool atMiddle = false;
    m_globalMemory.ExchangeTalkTime(talkTime, 1);
    m_globalMemory.ExchangePostKeyChannel(postKey, 1);
    m_globalMemory.ExchangePbxDigit(pbxDigit, 1);
    m_globalMemory.ExchangeDirCodeLength(codeLength, 1);
    m_globalMemory.ExchangeDirectoryBeginsAtMiddle(atMiddle, 1);
    AppendReportHeading(QStringLiteral("Telephone Entry\n"));
    m_strSettingsText += QString::asprintf("Talk Time:                      %u\n", unsigned{talkTime})
                         + QStringLiteral("Postal Key Channel:             ") + NameAt(RelayNames, postKey)
                         + QStringLiteral("\nPBX Dialing Digit:              ") + NameAt(PbxDigitNames, pbxDigit)
                         + QStringLiteral("\nDirectory Code Length:          ")
                         + NameAt(DirCodeLengthNames, codeLength)
                         + QStringLiteral("\nDirectory Begins At:            ")
                         + (atMiddle ? QStringLiteral("Middle (M)") : QStringLiteral("Beginning (A)"))
                         + QStringLiteral("\n\n");
}

void CWFDoc::ListTimeAndCalendar()
{
    AppendReportHeading(QStringLiteral("Time and Calendar\n"));
    m_strSettingsText += QStringLiteral("Expiring Holidays\n")
                         + Holidays([this](int i) { return m_globalMemory.FormatExpiringHoliday(i); })
                         + QStringLiteral("\nNon-Expiring Holidays\n")
                         + Holidays([this](int i) { return m_globalMemory.FormatHoliday(i); });
    AppendReportHeading(QStringLiteral("\nDownlight Control Time\n"));
    std::uint16_t on = 0;
    std::uint16_t off = 0;
    m_globalMemory.ExchangeDownlightTime(on, off, 1);
    m_strSettingsText += QStringLiteral("      On:  ") + ClockTime(on) + QStringLiteral("\n      Off: ") + ClockTime(off)
                         + QLatin1Char('\n');
}

void CWFDoc::ListAntiPassback()
{
    AppendReportHeading(QStringLiteral("Anti-PassBack\n"));
    const std::uint8_t time = m_globalMemory.Byte(VLLayout::kAntiPassbackTime);
    m_strSettingsText += QStringLiteral("Anti-PassBack Time: ") + NameAt(kAntiPassbackTimes, time) + QLatin1Char('\n');
}

void CWFDoc::ListButtonSchedule()
{
    AppendReportHeading(QStringLiteral("Global Button Schedule\n"));
    for (int button = 1; button <= kButtons; ++button)
        m_strSettingsText += QStringLiteral("Channel [") + QChar(u'A' + button - 1) + QStringLiteral("]: ")
                             + NameAt(ButtonNames, m_globalMemory.GetButtonSchedule(button)) + QLatin1Char('\n');
}

void CWFDoc::ListFacilityCodes()
{
    const struct
    {
        const char* heading;
        const char* line;
        bool (CVLGlobalMemory::*code)(int, std::uint16_t&, int);
    } lists[] = {
        {"Transmitter Facility Codes\n", "Xmtr Facility Code %2d:      %05u\n",
         &CVLGlobalMemory::ExchangeTransmitterFacilityCode},
        {"Card Facility Codes\n", "Card Facility Code %2d:      %05u\n", &CVLGlobalMemory::ExchangeCardFacilityCode},
    };
    for (const auto& list : lists) {
        AppendReportHeading(QString::fromLatin1(list.heading));
        for (int index = 0; index < VLLayout::kTransmitterFacilityCodes.count; ++index) {
            std::uint16_t code = 0;
            (m_globalMemory.*list.code)(index, code, 1);
            m_strSettingsText += QString::asprintf(list.line, index + 1, unsigned{code});
        }
    }
}
