#pragma once

#include "config/CTimeCalendarModel.h"
#include "config/INetworkSettingsPage.h"

#include <QWidget>

class CWFDoc;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The downlight on and off times and the non-expiring and expiring holidays.
class CTabTimeCalendar : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    explicit CTabTimeCalendar(CWFDoc& doc, QWidget* parent = nullptr);

    void Store() override;

    QLineEdit* OnField() const { return m_on; }
    QLineEdit* OffField() const { return m_off; }
    QListWidget* List(bool expiring) const { return expiring ? m_expiringList : m_nonExpiringList; }
    QPushButton* AddButton(bool expiring) const { return expiring ? m_addExpiring : m_addNonExpiring; }
    QPushButton* DeleteButton(bool expiring) const { return expiring ? m_deleteExpiring : m_deleteNonExpiring; }
    QComboBox* DayList() const { return m_day; }
    QComboBox* MonthList() const { return m_month; }
    QComboBox* YearList() const { return m_year; }

private:
    QWidget* MakeHolidayGroup(const QString& title, bool expiring);
    void OnAdd(bool expiring);
    void OnDelete(bool expiring);
    // Shows the list's entries, selects one and enables its "<< Add".
    void ShowList(bool expiring, int selected);

    CTimeCalendarModel m_model;
    bool m_mayChange = false;
    QLineEdit* m_on = nullptr;
    QLineEdit* m_off = nullptr;
    QListWidget* m_nonExpiringList = nullptr;
    QListWidget* m_expiringList = nullptr;
    QPushButton* m_addNonExpiring = nullptr;
    QPushButton* m_addExpiring = nullptr;
    QPushButton* m_deleteNonExpiring = nullptr;
    QPushButton* m_deleteExpiring = nullptr;
    QComboBox* m_month = nullptr;
    QComboBox* m_day = nullptr;
    QComboBox* m_year = nullptr;
};
