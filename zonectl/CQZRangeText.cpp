#include "zonectl/CQZRangeText.h"

#include "zonectl/CQZGeometry.h"

namespace {

constexpr int kTimeLength = 5;
constexpr int kSeparatorAt = 2;
constexpr int kMinutesPerHour = 60;

} // namespace

QString CQZRangeText::Format(int minutes)
{
    return QStringLiteral("%1:%2")
        .arg(minutes / kMinutesPerHour, 2, 10, QLatin1Char('0'))
        .arg(minutes % kMinutesPerHour, 2, 10, QLatin1Char('0'));
}

bool CQZRangeText::Parse(const QString& text, int* minutes)
{
    if (text.size() != kTimeLength || text[kSeparatorAt] != QLatin1Char(':'))
        return false;
    int digits[kTimeLength] = {};
    for (int i = 0; i < kTimeLength; ++i) {
        if (i == kSeparatorAt)
            continue;
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        digits[i] = c - u'0';
    }
    *minutes = (digits[0] * 10 + digits[1]) * kMinutesPerHour + digits[3] * 10 + digits[4];
    return true;
}

bool CQZRangeText::Accept(const QString& beginText, const QString& endText, int* begin, int* end)
{
    int newBegin = 0;
    int newEnd = 0;
    if (!Parse(beginText, &newBegin) || !Parse(endText, &newEnd))
        return false;
    if (newBegin > CQZGeometry::kLastMinute || newEnd > CQZGeometry::kLastMinute)
        return false;
    *begin = newBegin;
    *end = newEnd;
    return true;
}
