#include "app/DemoEvents.h"

#include "common/InstallationPaths.h"
#include "database/CSetEventLog.h"
#include "database/DatabaseFiles.h"
#include "database/EventLogMaintenance.h"
#include "database/Schema.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

#include <array>

namespace {

constexpr int kCurrentEvents = 36;
constexpr int kArchivedEvents = 12;
constexpr int kMinutesBetweenEvents = 97;
constexpr int kMinutesBetweenArchivedEvents = 180;
constexpr int kArchiveAgeDays = 60;
constexpr int kDemoNodes = 3;
constexpr std::uint8_t kDemoNetwork = 1;
constexpr int kNetworkShift = 4; // NetNode: the network in the high nibble
constexpr std::uint8_t kFirstDoor = 1;
constexpr int kFirstCard = 10001;
constexpr int kUnknownCard = 20001;

// The event codes a demo row uses.
constexpr std::uint8_t kBlockCard = 15;
constexpr std::uint8_t kUnknownCardMod = 28;
constexpr std::uint8_t kHostOperator = 35;
constexpr std::uint8_t kRequestToExit = 20;
constexpr std::uint8_t kPostalKey = 19;
constexpr std::uint8_t kResetPowerUp = 3;
constexpr std::uint8_t kLockClosed = 0x04;
constexpr std::uint8_t kTimeZoneTwo = 2;
constexpr std::uint8_t kDirectionIn = 1;

// The UserID codes of sources that are not cardholders.
constexpr std::int32_t kPanelOperators = -1;
constexpr std::int32_t kPostalKeyUser = -2;
constexpr std::int32_t kTimeZoneUser = -3;
constexpr std::int32_t kHostUser = -5;

enum class Who { Nobody, Cardholder, Panel, PostalKey, TimeZone, Host };

struct DemoEvent
{
    std::uint8_t type;
    std::uint8_t mod;
    std::uint8_t door;
    Who who;
    bool card = false;
    std::uint8_t id0 = 0;
    std::uint8_t ctx = 0;
};

constexpr std::array<DemoEvent, 12> kPattern = {{
    {EventType::Access, kBlockCard, kFirstDoor, Who::Cardholder, true},
    {EventType::Locked, kHostOperator, kFirstDoor, Who::Host, false, kLockClosed},
    {EventType::OpenRequest, kRequestToExit, kFirstDoor, Who::Nobody},
    {EventType::Access, kBlockCard, kFirstDoor | EventSource::AccessDenied, Who::Cardholder, true},
    {EventType::TimeZone, 0, EventSource::Node, Who::TimeZone, false, 0, kTimeZoneTwo},
    {EventType::InvalidCredential, kUnknownCardMod, kFirstDoor, Who::Nobody},
    {EventType::Unlocked, kHostOperator, kFirstDoor, Who::Host},
    {EventType::PanelAlarm, 0, kFirstDoor, Who::Nobody},
    {EventType::TimeSet, 0, EventSource::Host, Who::Host},
    {EventType::ProgramMode, kResetPowerUp, EventSource::Node, Who::Panel},
    {EventType::OpenRequest, kPostalKey, kFirstDoor, Who::PostalKey},
    {EventType::AntiPassbackViolation, 0, kFirstDoor, Who::Cardholder},
}};

std::int32_t UserOf(Who who, std::int32_t cardholder)
{
    switch (who) {
    case Who::Cardholder:
        return cardholder;
    case Who::Panel:
        return kPanelOperators;
    case Who::PostalKey:
        return kPostalKeyUser;
    case Who::TimeZone:
        return kTimeZoneUser;
    case Who::Host:
        return kHostUser;
    case Who::Nobody:
        break;
    }
    return 0;
}

// The i-th event of the pattern at the time; cards and cardholders take
// turns. A number's low two bytes go into Id3 and Id4.
void FillEvent(CSetEventLog& log, int i, const std::vector<std::int32_t>& cardholders, const QDateTime& time)
{
    const DemoEvent& e = kPattern[static_cast<size_t>(i) % kPattern.size()];
    const int holder = cardholders.empty() ? -1 : i % static_cast<int>(cardholders.size());
    const std::int32_t cardholder = holder < 0 ? 0 : cardholders[static_cast<size_t>(holder)];
    log.m_Time = time;
    log.m_Type = e.type;
    log.m_Mod = e.mod;
    log.m_Ctx = e.ctx;
    log.m_Id0 = e.id0;
    log.m_Door = e.door;
    log.m_UserID = UserOf(e.who, cardholder);
    log.m_NetNode = e.door == EventSource::Host
                        ? 0
                        : static_cast<std::uint8_t>(kDemoNetwork << kNetworkShift | (1 + i % kDemoNodes));
    int number = 0;
    if (e.card)
        number = kFirstCard + holder;
    else if (e.type == EventType::InvalidCredential)
        number = kUnknownCard;
    else if (e.type == EventType::AntiPassbackViolation) {
        number = cardholder;
        log.m_Id2 = kDirectionIn;
    }
    log.m_Id3 = static_cast<std::uint8_t>(number >> 8);
    log.m_Id4 = static_cast<std::uint8_t>(number & 0xFF);
}

// Appends count events, one every step minutes, the last at end.
void AddEvents(const QString& file, int count, int stepMinutes, const QDateTime& end,
               const std::vector<std::int32_t>& cardholders)
{
    const QFileInfo info(file);
    CSetEventLog log;
    log.m_strDBFolder = info.path();
    log.m_strDBFileName = QLatin1Char('/') + info.fileName();
    log.Open();
    for (int i = 0; i < count; ++i) {
        log.AddNew();
        FillEvent(log, i, cardholders, end.addSecs(-60LL * stepMinutes * (count - 1 - i)));
        log.Update();
    }
    log.Close();
}

} // namespace

void AddDemoEvents(const QString& installationFolder, const std::vector<std::int32_t>& cardholders,
                   const QDateTime& now)
{
    const QDateTime latest(now.date(), QTime(now.time().hour(), now.time().minute()));
    AddEvents(InstallationPaths::BuildPath(InstallationPaths::kInstallationDatabase, QStringLiteral("EventLog.mdb"),
                                           installationFolder),
              kCurrentEvents, kMinutesBetweenEvents, latest.addSecs(-60), cardholders);

    const QDateTime archiveEnd = latest.addDays(-kArchiveAgeDays);
    const QDateTime archiveStart = archiveEnd.addSecs(-60LL * kMinutesBetweenArchivedEvents * (kArchivedEvents - 1));
    const QString archive = InstallationPaths::BuildPath(
        InstallationPaths::kEventLogs,
        EventLogMaintenance::ArchiveFileName(archiveStart, archiveEnd.date().addDays(1)), installationFolder);
    EnsureFolder(QFileInfo(archive).path());
    Schema::CreateDatabaseFile(archive, *Schema::FindFile(QLatin1String(DatabaseFiles::EventLog)));
    AddEvents(archive, kArchivedEvents, kMinutesBetweenArchivedEvents, archiveEnd, cardholders);
}
