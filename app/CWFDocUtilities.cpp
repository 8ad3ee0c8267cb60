#include "app/CWFDoc.h"

#include "app/TaskState.h"
#include "common/RecordsetWalk.h"
#include "common/SharedHelpers.h"
#include "database/BackupSummary.h"
#include "database/CInstallationBackup.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/CBindManager.h"
#include "platform/Clock.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QDate>
#include <QLocale>

namespace {
constexpr int kBackupSlots = 20;
constexpr int kDateLength = 8;
constexpr double kReminderDays = 7.0;
constexpr qint64 kSecondsPerDay = 24 * 60 * 60;
constexpr int kCenturyBase = 2000;
const QTime kBackupTime(1, 1, 1);
const QDateTime kNoBackupDate(QDate(2002, 1, 1), kBackupTime);

constexpr int kFirstFreeSetIndex = 3;
constexpr std::uint8_t kUnusedGroup = 255;
constexpr int kSetGroupBytes = 12;
constexpr int kSetTailBytes = 3;

constexpr int kPanelTypeA = 0;
constexpr int kPanelTypeB = 1;
constexpr int kPanelTypeC = 2;
constexpr int kFirmwareMajorShift = 8;
constexpr int kByteMask = 0xFF;
constexpr int kOldFirmwareMajor = 1;
constexpr int kOldMinorAB = 64;
constexpr int kOldMinorC = 16;
constexpr int kFewSubsets = 4;
constexpr int kAllSubsets = 8;

constexpr int kFirstReaderSlot = 1;
constexpr int kLastReaderSlot = 9;
constexpr int kFirstCabSlot = 1;
constexpr int kLastCabSlot = 11;
constexpr int kCabTypeOffset = 7;
constexpr int kDeviceTypeByte = 1;
constexpr int kDeviceAddressByte = 2;
constexpr int kCabs = 4;

constexpr int kDoors = 4;
constexpr int kLastSchedule = 31;
constexpr std::uint8_t kAllSubsetsMask = 0xFF;
constexpr int kMessagesPerSet = 40;
constexpr std::int32_t kResendMessagesFlag = 2;

QDateTime BackupDateOf(const QString& name)
{
    // Backups are named "Backup %m-%d-%y": the date is the name's tail.
    const QString tail = name.right(kDateLength);
    const QDate date = QDate::fromString(tail, QStringLiteral("MM-dd-yy"));
    if (tail.size() != kDateLength || !date.isValid())
        return {};
    return QDateTime(QDate(kCenturyBase + date.year() % 100, date.month(), date.day()), kBackupTime);
}

QString ReaderName(std::uint8_t type)
{
    static const char* const kNames[] = {"Keypad", "Radio", "Wiegand26", "Wiegand30", "Wiegand31", "Phone"};
    if (type >= 1 && type <= std::size(kNames))
        return QString::fromLatin1(kNames[type - 1]);
    return QStringLiteral("Not assigned");
}

// Counts the rows of set for which counted holds, walking from the first.
template <class Set, class Test>
int CountRows(Set& set, Test counted)
{
    int count = 0;
    for (bool row = MoveToFirstRow(set); row && !set.IsEOF(); set.MoveNext())
        count += counted(set) ? 1 : 0;
    return count;
}

// Whether the table holds a row besides row 0; the recordset is left
// re-read without filter and sort.
bool HasRowBesidesZero(Recordset& set, const QString& criteria)
{
    if (!set.IsOpen())
        return false;
    try {
        set.m_strFilter.clear();
        set.m_strSort.clear();
        set.Requery();
        return set.FindFirst(criteria);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}
} // namespace

void CWFDoc::ShowBackupReminder()
{
    QDateTime last = kNoBackupDate;
    bool anyBackup = false;
    for (int n = 1; n <= kBackupSlots; ++n) {
        CInstallationBackup backup;
        if (!backup.LoadBackupEntry(n))
            continue;
        anyBackup = true;
        // A name without a date in its tail cannot say when it was made: its
        // log's start time does, when the log has one.
        QDateTime made = BackupDateOf(backup.GetName());
        if (!made.isValid())
            made = BackupStartTime(backup.GetLogPath());
        if (made.isValid() && made > last)
            last = made;
    }
    // Backup dates are wall-clock times: compare them with the wall clock.
    const QDateTime clock = Clock::Current().NowLocal();
    const QDateTime now(clock.date(), clock.time());
    const double days = static_cast<double>(last.secsTo(now)) / kSecondsPerDay;
    if (days <= kReminderDays)
        return;
    const QString question = QStringLiteral("Do you want to do a backup now?");
    const QString text =
        anyBackup ? QStringLiteral("%1 %2.\n\n%3")
                        .arg(QStringLiteral("REMINDER: Your installation has not been backed up since"),
                             QLocale(QLocale::English).toString(last.date(), QStringLiteral("MMMM dd, yyyy")), question)
                  : QStringLiteral("%1\n\n%2")
                        .arg(QStringLiteral("REMINDER: Your installation has not been backed up in over a week."),
                             question);
    if (ShowMessageBox(text, MbButtons::YesNo, MbIcon::Question) == IDYES)
        PostAppMessage(TaskTargetWindow, Msg::TaskStepBackup);
}

bool CWFDoc::CanBackup() const
{
    return CInstallationBackup::HasInstallations();
}

bool CWFDoc::IsUserTableEmpty()
{
    return !HasRowBesidesZero(g_setUsers, QStringLiteral("UserID <> 0"));
}

bool CWFDoc::IsCardholderSetsEmpty()
{
    return !HasRowBesidesZero(g_setUserGroups, QStringLiteral("CHSetID <> 0"));
}

int CWFDoc::FindFreeCardholderSetIndex(std::uint8_t highest)
{
    int index = kFirstFreeSetIndex;
    try {
        for (; index <= highest; ++index) {
            if (!g_setUserGroups.IsOpen() || !g_setUserGroups.FindFirst(QStringLiteral("CHSetIndex = %1").arg(index))
                || g_setUserGroups.m_Deleted)
                return index;
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return index;
}

void CWFDoc::ClearCardholderSetRecord(int set)
{
    using namespace VLLayout;
    if (!kCardholderSets.Has(set))
        return;
    const int base = kCardholderSets.At(set);
    m_globalMemory.SetByte(base + Chs::kFlags, 0);
    for (int i = 0; i < kSetGroupBytes; ++i)
        m_globalMemory.SetByte(base + Chs::kDvg + i, kUnusedGroup);
    for (int i = 0; i < kSetTailBytes; ++i)
        m_globalMemory.SetByte(base + Chs::kMode + i, 0);
}

void CWFDoc::GetMemoryStatus(std::array<int, kMemoryStatusCounts>& counts)
{
    const auto notDeleted = [](const auto& set) { return !set.m_Deleted; };
    const auto notDeletedSingle = [](const auto& set) { return !set.m_DeletedSingle; };
    const auto held = [](const auto& set) { return set.m_UserID > 0; };
    counts.fill(0);
    try {
        counts[0] = CountRows(g_setTransmitterBlocks, notDeleted);
        counts[1] = CountRows(g_setTransmitters, held);
        counts[2] = CountRows(g_setSingleXmtr, notDeletedSingle);
        counts[3] = CountRows(g_setCardBlocks, notDeleted);
        counts[4] = CountRows(g_setCards, held);
        counts[5] = CountRows(g_setSingleCard, notDeletedSingle);
        counts[6] = CountRows(g_setPhoneEntries, held);
        counts[7] = CountRows(g_setEntryCodes, notDeleted);
        counts[8] = CountRows(g_setUsers, notDeleted);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

bool CWFDoc::ControllerDisplayMessageSet(std::uint8_t& value, int get, int controller)
{
    try {
        const bool found = controller == 0
                               ? FindSelectedController()
                               : g_setVestrels.IsOpen() && g_setVestrels.FindByAddress(controller / 10, controller % 10);
        if (!found)
            return false;
        if (get) {
            value = g_setVestrels.m_DisplayMessageSet;
            return true;
        }
        if (g_setVestrels.m_DisplayMessageSet == value)
            return true;
        g_setVestrels.Edit();
        g_setVestrels.m_DisplayMessageSet = value;
        g_setVestrels.m_Flags |= kResendMessagesFlag;
        g_setVestrels.Update();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    MarkDataToProgram();
    return true;
}

QString CWFDoc::PanelModelName()
{
    if (!FindSelectedController())
        return QString();
    switch (g_setVestrels.m_PanelType) {
    case kPanelTypeA:
        return QStringLiteral("PX-110");
    case kPanelTypeB:
        return QStringLiteral("VR-7");
    case kPanelTypeC:
        return QStringLiteral("PX-220");
    default:
        return QString();
    }
}

bool CWFDoc::GetFirmwareVersion(int& major, int& minor)
{
    if (!FindSelectedController())
        return false;
    major = (g_setVestrels.m_FirmwareVersion >> kFirmwareMajorShift) & kByteMask;
    minor = g_setVestrels.m_FirmwareVersion & kByteMask;
    return true;
}

int CWFDoc::GetFirmwareLimit()
{
    int major = 0;
    int minor = 0;
    if (!GetFirmwareVersion(major, minor))
        return 0;
    const int type = g_setVestrels.m_PanelType;
    const bool older = major == kOldFirmwareMajor
                       && (((type == kPanelTypeA || type == kPanelTypeB) && minor <= kOldMinorAB)
                           || (type == kPanelTypeC && minor <= kOldMinorC));
    return older ? kFewSubsets : kAllSubsets;
}

QString CWFDoc::ReaderTypeName(std::uint8_t address) const
{
    using VLLayout::kDevices;
    for (int slot = kFirstReaderSlot; slot <= kLastReaderSlot; ++slot) {
        if (m_controllerMemory.Byte(kDevices.At(slot) + kDeviceAddressByte) == address)
            return QLatin1Char(' ') + ReaderName(m_controllerMemory.Byte(kDevices.At(slot) + kDeviceTypeByte));
    }
    return QLatin1Char(' ') + ReaderName(0);
}

bool CWFDoc::HasCabDevice(int cab) const
{
    using VLLayout::kDevices;
    if (cab < 1 || cab > kCabs)
        return false;
    for (int slot = kFirstCabSlot; slot <= kLastCabSlot; ++slot) {
        if (m_controllerMemory.Byte(kDevices.At(slot) + kDeviceTypeByte) == cab + kCabTypeOffset)
            return true;
    }
    return false;
}

QString CWFDoc::FormatSubsets() const
{
    const bool bits[] = {g_setPhoneEntries.m_SubsetA, g_setPhoneEntries.m_SubsetB, g_setPhoneEntries.m_SubsetC,
                         g_setPhoneEntries.m_SubsetD, g_setPhoneEntries.m_SubsetE, g_setPhoneEntries.m_SubsetF,
                         g_setPhoneEntries.m_SubsetG, g_setPhoneEntries.m_SubsetH};
    std::uint8_t mask = 0;
    QStringList letters;
    for (int i = 0; i < static_cast<int>(std::size(bits)); ++i) {
        if (bits[i]) {
            mask = static_cast<std::uint8_t>(mask | (1u << i));
            letters << QString(QLatin1Char(static_cast<char>('A' + i)));
        }
    }
    if (mask == kAllSubsetsMask)
        return QStringLiteral("All");
    if (mask == 0)
        return QStringLiteral("None");
    return letters.join(QStringLiteral(", "));
}

void CWFDoc::WriteDoorSchedules(CVLMemory& image, const CSetVestrels& controller)
{
    const std::int32_t doors[kDoors] = {controller.m_DoorScheduleA, controller.m_DoorScheduleB,
                                        controller.m_DoorScheduleC, controller.m_DoorScheduleD};
    for (int s = 1; s <= kLastSchedule; ++s) {
        std::uint8_t value = 0;
        for (int door = 0; door < kDoors; ++door) {
            if (doors[door] & (1 << (s - 1)))
                value = static_cast<std::uint8_t>(value | (1u << door));
        }
        image.SetDoorSchedule(value, s);
    }
}

void CWFDoc::WriteFloorSchedules(CVLMemory& image, const CSetVestrels& controller)
{
    std::array<CabMasks, kLastSchedule + 1> schedules{};
    try {
        const QString rows =
            QStringLiteral("Net = %1 AND Node = %2").arg(controller.m_NetAddress).arg(controller.m_NodeAddress);
        for (bool found = g_setFloorNames.IsOpen() && g_setFloorNames.FindFirst(rows); found;
             found = g_setFloorNames.FindNext(rows)) {
            const std::int32_t cabs[kCabs] = {g_setFloorNames.m_Cab1, g_setFloorNames.m_Cab2, g_setFloorNames.m_Cab3,
                                              g_setFloorNames.m_Cab4};
            for (int s = 1; s <= kLastSchedule; ++s) {
                if (!(g_setFloorNames.m_Sched & (1 << (s - 1))))
                    continue;
                for (int cab = 0; cab < kCabs; ++cab)
                    schedules[s][cab] |= static_cast<std::uint32_t>(cabs[cab]);
            }
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    for (int s = 0; s <= kLastSchedule; ++s)
        image.SetFloorSchedule(s, schedules[s]);
}

bool CWFDoc::RunBinders(CBindManager& manager, DirectoryWorkArea& workArea, int full)
{
    return manager.BindAll(workArea, full ? 0 : 1) != 0;
}

void CWFDoc::ListDisplayMessages()
{
    AppendReportHeading(QStringLiteral("Display Messages\n"));
    m_strSettingsText += QStringLiteral("\n");
    int number = 0;
    try {
        for (bool row = MoveToFirstRow(g_setDisplayMessages); row && !g_setDisplayMessages.IsEOF();
             g_setDisplayMessages.MoveNext()) {
            number = number % kMessagesPerSet + 1;
            m_strSettingsText += QString::asprintf("Set[%d] [%02d]    ", g_setDisplayMessages.m_MessageSetDisplay,
                                                   number)
                                 + g_setDisplayMessages.m_Message + QLatin1Char('\n');
            if (number == kMessagesPerSet)
                m_strSettingsText += QLatin1Char('\n');
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}
