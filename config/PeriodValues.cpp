#include "config/PeriodValues.h"

#include "zonectl/QZIdentifiers.h"

int PeriodValues::Slot(int dispid)
{
    for (int p = 0; p < QZ::kPeriodCount; ++p) {
        if (dispid == QZ::BeginDispid(p))
            return 2 * p;
        if (dispid == QZ::EndDispid(p))
            return 2 * p + 1;
    }
    return -1;
}

bool PeriodValues::GetLong(int dispid, std::int32_t* value) const
{
    const int slot = Slot(dispid);
    if (slot < 0)
        return false;
    *value = m_minutes[slot];
    return true;
}

bool PeriodValues::SetLong(int dispid, std::int32_t value)
{
    const int slot = Slot(dispid);
    if (slot < 0)
        return false;
    m_minutes[slot] = value;
    return true;
}

PeriodValues PeriodValues::AllDay()
{
    PeriodValues values;
    values.m_minutes[0] = kAllDay;
    return values;
}

void PeriodValues::CopyTo(ILongProperties& bar) const
{
    for (int p = 0; p < QZ::kPeriodCount; ++p) {
        bar.SetLong(QZ::BeginDispid(p), m_minutes[2 * p]);
        bar.SetLong(QZ::EndDispid(p), m_minutes[2 * p + 1]);
    }
}
