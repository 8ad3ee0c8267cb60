#include "app/PercentProgress.h"

namespace {
constexpr int kFull = 100;
}

void PercentProgress::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
}

QString PercentProgress::PercentText(int position)
{
    if (m_upper == 0)
        m_upper = kDefaultUpper;
    int percent;
    if (m_upper == m_lower) {
        percent = position >= m_upper ? kFull : 0;
    } else {
        percent = static_cast<int>((static_cast<long long>(position - m_lower) * kFull) / (m_upper - m_lower));
        if (percent != kFull)
            percent %= kFull;
    }
    return QString::asprintf("%d%c", percent, '%');
}

bool PercentProgress::IsStepPosition(int position, int step)
{
    return step != 0 && position % step == 0;
}
