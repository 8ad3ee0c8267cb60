#pragma once

#include <QString>

// Range and percentage text of the percent progress dialog.
class PercentProgress
{
public:
    // An upper bound of 0 stands for this many units.
    static constexpr int kDefaultUpper = 1792;

    void SetRange(int lower, int upper);
    void SetStep(int step) { m_step = step; }
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    int Step() const { return m_step; }

    // "37%" for a position; a result above 100 wraps (150 shows 50), exactly
    // 100 stays. An empty range shows 100% once the position reaches it.
    QString PercentText(int position);

    // StepTo moves only to an exact multiple of a non-zero step.
    static bool IsStepPosition(int position, int step);

private:
    int m_lower = 0;
    int m_upper = 100;
    int m_step = 1;
};
