#include "config/CHolidayList.h"

#include "app/CWFDoc.h"
#include "config/HolidayDates.h"

using namespace HolidayDates;

void CHolidayList::Load(CWFDoc& doc)
{
    m_entries.clear();
    for (int slot = 0; slot < kSlots; ++slot) {
        std::uint8_t day = 0;
        std::uint8_t month = 0;
        std::uint8_t year = 0;
        if (m_expiring) {
            doc.ExpiringHoliday(day, month, year, slot, 1);
            if (day != 0 && month != 0 && year != 0)
                m_entries.push_back(ExpiringData(day, month, kBaseYear + year));
        } else {
            doc.NonExpiringHoliday(day, month, slot, 1);
            if (day != 0 && month != 0)
                m_entries.push_back(NonExpiringData(day, month));
        }
    }
}

void CHolidayList::Store(CWFDoc& doc) const
{
    for (int slot = 0; slot < kSlots; ++slot) {
        const bool filled = slot < Count();
        const std::uint32_t data = filled ? m_entries[slot] : 0;
        std::uint8_t day = filled ? static_cast<std::uint8_t>(Day(data)) : 0;
        std::uint8_t month = filled ? static_cast<std::uint8_t>(Month(data)) : 0;
        if (m_expiring) {
            std::uint8_t year = filled ? static_cast<std::uint8_t>(Year(data) - kBaseYear) : 0;
            doc.ExpiringHoliday(day, month, year, slot, 0);
        } else {
            doc.NonExpiringHoliday(day, month, slot, 0);
        }
    }
}

bool CHolidayList::Add(std::uint32_t data)
{
    if (!CanAdd())
        return false;
    m_entries.push_back(data);
    return true;
}

bool CHolidayList::Remove(int index)
{
    if (index < 0 || index >= Count())
        return false;
    m_entries.erase(m_entries.begin() + index);
    return true;
}

QString CHolidayList::Text(int index) const
{
    return m_expiring ? ExpiringText(m_entries.at(index)) : NonExpiringText(m_entries.at(index));
}
