#include "app/CWFDoc.h"
#include "app/ReportText.h"

#include "common/Formatting.h"
#include "common/RecordsetWalk.h"
#include "database/CSetFloorNames.h"
#include "database/CSetVestrels.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "database/NetworkLetter.h"
#include "image/VLMemoryLayout.h"
#include "platform/DatabaseException.h"

using ReportText::PadRight;

namespace {

constexpr int kFirstSchedule = 1;
constexpr int kLastSchedule = 31;
constexpr int kDoorsPerController = 4;
constexpr int kDoorsPerScheduleLine = 12;
// The time zone's day mask: Sunday to Saturday, then holidays.
constexpr int kDayMaskByte = 1;
constexpr int kDayBits = 8;
constexpr int kFloorNameWidth = 24;
constexpr int kFloorScheduleWidth = 22;
constexpr int kCabRelaysWidth = 24;

} // namespace

void CWFDoc::ListTimeZones()
{
    using namespace VLLayout;
    AppendReportHeading(QStringLiteral("Time Zones\n"));
    m_strSettingsText += QStringLiteral("Time Zone SMTWTFSH    Period 1      Period 2      Period 3      Period 4\n");
    for (int zone = kFirstSchedule; zone <= kLastSchedule; ++zone) {
        const int record = kTimeZones.At(zone);
        m_strSettingsText += QString::asprintf("QZ[%02u]    ", static_cast<unsigned>(zone));
        const std::uint8_t days = m_globalMemory.Byte(record + kDayMaskByte);
        for (int bit = 0; bit < kDayBits; ++bit)
            m_strSettingsText += QLatin1Char((days >> bit) & 1 ? 'N' : 'Y');
        for (int period = 0; period < TimeZone::kPeriodCount; ++period) {
            const int at = record + TimeZone::kPeriods + period * TimeZone::kPeriodSize;
            m_strSettingsText += QString::asprintf(
                "   %02u:%02u-%02u:%02u", unsigned{m_globalMemory.Byte(at)}, unsigned{m_globalMemory.Byte(at + 1)},
                unsigned{m_globalMemory.Byte(at + 2)}, unsigned{m_globalMemory.Byte(at + 3)});
        }
        m_strSettingsText += QLatin1Char('\n');
    }
}

void CWFDoc::ListDoorSchedules()
{
    AppendReportHeading(QStringLiteral("Door Schedules"));
    try {
        CSetVestrels controllers;
        controllers.m_strDBFolder = g_setVestrels.m_strDBFolder;
        controllers.Open();
        for (int schedule = kFirstSchedule; schedule <= kLastSchedule; ++schedule) {
            m_strSettingsText += QString::asprintf("\nDS[%02u]", static_cast<unsigned>(schedule));
            int onLine = 0;
            for (bool row = MoveToFirstRow(controllers); row && !controllers.IsEOF(); controllers.MoveNext()) {
                for (int door = 1; door <= kDoorsPerController; ++door) {
                    if (!controllers.IsDoorInSchedule(door, schedule))
                        continue;
                    m_strSettingsText += QStringLiteral(" [") + NetworkLetter(controllers.m_NetAddress)
                                         + QString::number(controllers.m_NodeAddress)
                                         + QChar(kLetterBase + door) + QLatin1Char(']');
                    if (++onLine == kDoorsPerScheduleLine) {
                        m_strSettingsText += QStringLiteral("\n       ");
                        onLine = 0;
                    }
                }
            }
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    m_strSettingsText += QLatin1Char('\n');
}

void CWFDoc::ListFloorNames()
{
    AppendReportHeading(QStringLiteral("Floor Names\n\n"));
    try {
        CSetFloorNames floors;
        floors.m_strDBFolder = g_setFloorNames.m_strDBFolder;
        floors.Open();
        if (!MoveToFirstRow(floors) || floors.IsEOF()) {
            m_strSettingsText += QStringLiteral("none\n");
            return;
        }
        m_strSettingsText += QString::asprintf("%29s %13s%27s%26s%26s%26s\n", "Node", "Schedules", "Cab 1 Relays",
                                               "Cab 2 Relays", "Cab 3 Relays", "Cab 4 Relays");
        CSetVestrels controllers;
        controllers.m_strDBFolder = g_setVestrels.m_strDBFolder;
        controllers.Open();
        for (; !floors.IsEOF(); floors.MoveNext()) {
            if (!controllers.FindByAddress(floors.m_Net, floors.m_Node))
                continue;
            m_strSettingsText += PadRight(floors.m_Name, kFloorNameWidth) + QStringLiteral(" [")
                                 + NetworkLetter(floors.m_Net) + QString::number(floors.m_Node)
                                 + QStringLiteral("]    ")
                                 + PadRight(FormatRelayLabels(static_cast<std::uint32_t>(floors.m_Sched)),
                                            kFloorScheduleWidth);
            for (std::int32_t cab : {floors.m_Cab1, floors.m_Cab2, floors.m_Cab3, floors.m_Cab4})
                m_strSettingsText += QStringLiteral("  ")
                                     + PadRight(FormatModuleRelaysShort(static_cast<std::uint32_t>(cab)),
                                                kCabRelaysWidth);
            m_strSettingsText += QLatin1Char('\n');
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}
