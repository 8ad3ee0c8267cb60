#pragma once

#include "platform/LongProperties.h"

#include <array>
#include <cstdint>

// The eight period properties of a schedule bar (begin and end of periods
// 1-4, in minutes), held without a bar: what a page shows in a bar, or would.
class PeriodValues : public ILongProperties
{
public:
    static constexpr int kCount = 8;
    static constexpr std::int32_t kAllDay = 1440;

    bool GetLong(int dispid, std::int32_t* value) const override;
    bool SetLong(int dispid, std::int32_t value) override;

    // Valid all day: period 1 begins at 1440, everything else 0.
    static PeriodValues AllDay();
    // Copies all eight into the bar.
    void CopyTo(ILongProperties& bar) const;

    // Begin and end of period p at 2p and 2p + 1.
    std::array<std::int32_t, kCount> m_minutes{};

private:
    static int Slot(int dispid);
};
