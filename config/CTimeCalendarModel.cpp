#include "config/CTimeCalendarModel.h"

#include "app/CWFDoc.h"
#include "config/HolidayDates.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

using namespace HolidayDates;

CTimeCalendarModel::CTimeCalendarModel(CWFDoc& doc) : m_doc(doc)
{
}

void CTimeCalendarModel::Load()
{
    const QDate today = Clock::Current().NowLocal().date();
    m_years = YearChoices(today.year());
    m_dayIndex = today.day() - 1;
    m_monthIndex = today.month() - 1;
    m_yearIndex = static_cast<int>(m_years.indexOf(today.year()));
    m_nonExpiring.Load(m_doc);
    m_expiring.Load(m_doc);
    m_doc.DownlightTimes(m_downlightOn, m_downlightOff, 1);
}

void CTimeCalendarModel::Store()
{
    m_nonExpiring.Store(m_doc);
    m_expiring.Store(m_doc);
    if (m_doc.DownlightTimes(m_downlightOn, m_downlightOff, 0))
        return;
    // A field that is a time comes back as it was typed; the other kept its stored time.
    QString storedOn;
    QString storedOff;
    m_doc.DownlightTimes(storedOn, storedOff, 1);
    const bool onRefused = storedOn != m_downlightOn;
    ShowMessageBox(QStringLiteral("The downlight %1 time \"%2\" is not a time of day and was not stored.\n\n"
                                  "Enter a time from 00:00 to 23:59.")
                       .arg(onRefused ? QStringLiteral("on") : QStringLiteral("off"),
                            onRefused ? m_downlightOn : m_downlightOff),
                   MbButtons::Ok, MbIcon::Exclamation);
}

bool CTimeCalendarModel::ChosenDate(int& day, int& month, int& year) const
{
    day = m_dayIndex + 1;
    month = m_monthIndex + 1;
    year = m_yearIndex >= 0 && m_yearIndex < m_years.size() ? m_years[m_yearIndex] : 0;
    if (IsValidDate(day, month, year))
        return true;
    ShowMessageBox(QStringLiteral("Invalid date selection."), MbButtons::Ok, MbIcon::Exclamation);
    return false;
}

bool CTimeCalendarModel::AddNonExpiring()
{
    int day = 0;
    int month = 0;
    int year = 0;
    if (!ChosenDate(day, month, year))
        return false;
    return m_nonExpiring.Add(NonExpiringData(day, month));
}

bool CTimeCalendarModel::AddExpiring()
{
    int day = 0;
    int month = 0;
    int year = 0;
    if (!ChosenDate(day, month, year))
        return false;
    if (!IsLaterThanNow(day, month, year, Clock::Current().NowLocal())) {
        ShowMessageBox(QStringLiteral("Expiring holidays must be newer than the current date."), MbButtons::Ok,
                       MbIcon::Exclamation);
        return false;
    }
    return m_expiring.Add(ExpiringData(day, month, year));
}

bool CTimeCalendarModel::Delete(CHolidayList& list, int index)
{
    if (index < 0 || index >= list.Count()) {
        ShowMessageBox(list.IsExpiring() ? QStringLiteral("Please select the expiring holiday to delete.")
                                         : QStringLiteral("Please select the non-expiring holiday to delete."),
                       MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    if (ShowMessageBox(QStringLiteral("Are you sure you want to remove this holiday?"), MbButtons::YesNo,
                       MbIcon::Question) != IDYES)
        return false;
    return list.Remove(index);
}
