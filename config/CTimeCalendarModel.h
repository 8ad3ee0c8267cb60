#pragma once

#include "config/CHolidayList.h"

#include <QList>
#include <QString>

class CWFDoc;

// What the time and calendar page holds between loading and storing: the
// downlight texts, the two holiday lists and the date chosen in the three
// drop-downs. Adding and deleting say what they refuse in message boxes.
class CTimeCalendarModel
{
public:
    static constexpr int kNoSelection = -1;

    explicit CTimeCalendarModel(CWFDoc& doc);

    // Reads the settings and chooses today's date (Clock::Current()).
    void Load();
    // Writes both lists and the downlight times; a downlight text that is not
    // a time from 00:00 to 23:59 keeps its stored time, and the operator is
    // told so with the valid range.
    void Store();

    const QList<int>& Years() const { return m_years; }
    // Checks the chosen date and adds it; false, after saying why, when refused.
    bool AddNonExpiring();
    bool AddExpiring();
    // Asks, then deletes entry index of the list; false when nothing was deleted.
    bool Delete(CHolidayList& list, int index);

    CHolidayList m_nonExpiring{false};
    CHolidayList m_expiring{true};
    QString m_downlightOn;
    QString m_downlightOff;
    int m_dayIndex = kNoSelection;
    int m_monthIndex = kNoSelection;
    int m_yearIndex = kNoSelection;

private:
    // The chosen date when it exists, after "Invalid date selection." otherwise.
    bool ChosenDate(int& day, int& month, int& year) const;

    CWFDoc& m_doc;
    QList<int> m_years;
};
