#include "config/CTimeCalendarModel.h"
#include "config/HolidayDates.h"
#include "image/VLMemoryLayout.h"
#include "platform/Clock.h"
#include "tests/config/ConfigFixture.h"

using namespace VLLayout;

namespace {

const QTimeZone kZone("Europe/Berlin");

class Calendar : public OpenInstallation
{
protected:
    void TearDown() override
    {
        Clock::Install(nullptr);
        OpenInstallation::TearDown();
    }
    // The local time of the page's clock.
    void SetNow(const QDateTime& local)
    {
        m_clock = std::make_unique<FixedClock>(local.toUTC(), kZone);
        Clock::Install(m_clock.get());
    }
    CTimeCalendarModel& LoadedModel()
    {
        m_model = std::make_unique<CTimeCalendarModel>(m_doc);
        m_model->Load();
        return *m_model;
    }
    static void Choose(CTimeCalendarModel& model, int day, int month, int year)
    {
        model.m_dayIndex = day - 1;
        model.m_monthIndex = month - 1;
        model.m_yearIndex = static_cast<int>(model.Years().indexOf(year));
    }
    std::unique_ptr<FixedClock> m_clock;
    std::unique_ptr<CTimeCalendarModel> m_model;
};

TEST(HolidayDates, YearsRunTwentyFromNowAndNeverPast2255)
{
    EXPECT_EQ(HolidayDates::YearChoices(2026).front(), 2026);
    EXPECT_EQ(HolidayDates::YearChoices(2026).back(), 2045);
    EXPECT_EQ(HolidayDates::YearChoices(2026).size(), 20);
    EXPECT_EQ(HolidayDates::YearChoices(2250).back(), 2255);
    EXPECT_EQ(HolidayDates::ExpiringText(HolidayDates::ExpiringData(25, 12, 2031)),
              QStringLiteral("Thursday, December, 25, 2031"));
    EXPECT_EQ(HolidayDates::NonExpiringText(HolidayDates::NonExpiringData(25, 12)), QStringLiteral("December, 25"));
    EXPECT_EQ(HolidayDates::NonExpiringData(25, 12), 25u * 256 + 12);
    EXPECT_EQ(HolidayDates::ExpiringData(25, 12, 2031), 31u * 65536 + 25 * 256 + 12);
}

TEST_F(Calendar, TheDateCheckFollowsTheGregorianCalendar)
{
    struct Case { int nowYear; int day; int month; int year; bool accepted; };
    const Case cases[] = {
        {2026, 29, 2, 2028, true},  {2026, 29, 2, 2027, false}, {2099, 29, 2, 2100, false},
        {2099, 29, 2, 2104, true},  {2026, 31, 4, 2027, false}, {2026, 30, 4, 2027, true},
        {2026, 31, 12, 2027, true}, {2026, 31, 11, 2027, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1-%2-%3").arg(c.year).arg(c.month).arg(c.day).toStdString());
        SetNow(QDateTime(QDate(c.nowYear, 1, 1), QTime(12, 0), kZone));
        CTimeCalendarModel& model = LoadedModel();
        Choose(model, c.day, c.month, c.year);
        for (bool expiring : {false, true}) {
            MessageBoxScript boxes;
            EXPECT_EQ(expiring ? model.AddExpiring() : model.AddNonExpiring(), c.accepted);
            EXPECT_EQ(boxes.Texts(), c.accepted ? QStringList{} : QStringList{"Invalid date selection."});
        }
    }
}

TEST_F(Calendar, TodaysExpiringHolidayCountsFromOneMinutePastOne)
{
    const QDate today(2026, 12, 10);
    for (const auto& [time, accepted] : {std::pair{QTime(1, 1, 0), true}, std::pair{QTime(1, 1, 2), false}}) {
        SCOPED_TRACE(time.toString().toStdString());
        SetNow(QDateTime(today, time, kZone));
        CTimeCalendarModel& model = LoadedModel();
        EXPECT_EQ(model.m_yearIndex, 0) << "today is chosen";
        MessageBoxScript boxes;
        EXPECT_EQ(model.AddExpiring(), accepted);
        EXPECT_EQ(boxes.Texts(), accepted ? QStringList{}
                                          : QStringList{"Expiring holidays must be newer than the current date."});
    }
}

TEST_F(Calendar, ListsHoldTwentyFourAndDeletingMovesTheLaterOnesUp)
{
    SetNow(QDateTime(QDate(2026, 1, 1), QTime(12, 0), kZone));
    CTimeCalendarModel& model = LoadedModel();
    for (int day = 1; day <= 5; ++day)
        ASSERT_TRUE(model.m_nonExpiring.Add(HolidayDates::NonExpiringData(day, 7)));
    {
        MessageBoxScript boxes{IDYES};
        ASSERT_TRUE(model.Delete(model.m_nonExpiring, 2));
        EXPECT_EQ(boxes.Texts(), QStringList{"Are you sure you want to remove this holiday?"});
    }
    model.Store();
    const int expected[][2] = {{7, 1}, {7, 2}, {7, 4}, {7, 5}, {0, 0}};
    for (int slot = 0; slot < 5; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(Byte(kHolidays.At(slot) + Holiday::kMonth), expected[slot][0]);
        EXPECT_EQ(Byte(kHolidays.At(slot) + Holiday::kDay), expected[slot][1]);
    }

    for (int day = 1; model.m_nonExpiring.CanAdd(); ++day)
        ASSERT_TRUE(model.m_nonExpiring.Add(HolidayDates::NonExpiringData(day, 8)));
    EXPECT_EQ(model.m_nonExpiring.Count(), 24);
    EXPECT_FALSE(model.m_nonExpiring.Add(HolidayDates::NonExpiringData(30, 8)));
    {
        MessageBoxScript boxes{IDNO};
        EXPECT_FALSE(model.Delete(model.m_nonExpiring, 0));
        EXPECT_EQ(model.m_nonExpiring.Count(), 24);
    }
    {
        MessageBoxScript boxes;
        EXPECT_FALSE(model.Delete(model.m_expiring, -1));
        EXPECT_FALSE(model.Delete(model.m_nonExpiring, -1));
        EXPECT_EQ(boxes.Texts(), (QStringList{"Please select the expiring holiday to delete.",
                                              "Please select the non-expiring holiday to delete."}));
    }
}

TEST_F(Calendar, ExpiringHolidaysLoadAndStoreTheirYear)
{
    SetNow(QDateTime(QDate(2026, 1, 1), QTime(12, 0), kZone));
    std::uint8_t day = 4, month = 7, year = 27;
    m_doc.ExpiringHoliday(day, month, year, 3, 0);
    CTimeCalendarModel& model = LoadedModel();
    ASSERT_EQ(model.m_expiring.Count(), 1);
    EXPECT_EQ(model.m_expiring.Text(0), QStringLiteral("Sunday, July, 4, 2027"));
    model.Store();
    const int at = kExpiringHolidays.At(0);
    EXPECT_EQ(Byte(at), 7);
    EXPECT_EQ(Byte(at + 1), 4);
    EXPECT_EQ(Byte(at + 2), 27);
    EXPECT_EQ(Byte(kExpiringHolidays.At(3)), 0) << "compacted into the first slot";
}

TEST_F(Calendar, DownlightTimesAreStoredOnlyAsClockTimes)
{
    SetNow(QDateTime(QDate(2026, 1, 1), QTime(12, 0), kZone));
    CTimeCalendarModel& model = LoadedModel();
    model.m_downlightOn = QStringLiteral("07:30");
    model.m_downlightOff = QStringLiteral("18:05");
    {
        MessageBoxScript boxes;
        model.Store();
        EXPECT_TRUE(boxes.Texts().isEmpty());
    }
    EXPECT_EQ(Byte(692), 0x01);
    EXPECT_EQ(Byte(693), 0xC2);
    // A refused time names its field and the valid range; the other field and the holidays are stored.
    const struct { const char* on; const char* off; const char* message; } refused[] = {
        {"24:00", "18:05", "The downlight on time \"24:00\" is not a time of day and was not stored.\n\n"
                           "Enter a time from 00:00 to 23:59."},
        {"07:75", "18:05", "The downlight on time \"07:75\" is not a time of day and was not stored.\n\n"
                           "Enter a time from 00:00 to 23:59."},
        {"07:30", "99:99", "The downlight off time \"99:99\" is not a time of day and was not stored.\n\n"
                           "Enter a time from 00:00 to 23:59."},
    };
    int day = 0;
    for (const auto& c : refused) {
        SCOPED_TRACE(c.message);
        model.m_downlightOn = QString::fromLatin1(c.on);
        model.m_downlightOff = QString::fromLatin1(c.off);
        ASSERT_TRUE(model.m_nonExpiring.Add(HolidayDates::NonExpiringData(++day, 9)));
        MessageBoxScript boxes;
        model.Store();
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromLatin1(c.message)});
        EXPECT_EQ(m_doc.m_globalMemory.Word(692), 450);
        EXPECT_EQ(m_doc.m_globalMemory.Word(694), 18 * 60 + 5);
        const int slot = model.m_nonExpiring.Count() - 1;
        EXPECT_EQ(Byte(kHolidays.At(slot) + Holiday::kMonth), 9) << "the page's other edits are stored";
        EXPECT_EQ(Byte(kHolidays.At(slot) + Holiday::kDay), day);
    }
}

} // namespace
