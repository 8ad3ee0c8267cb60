#include "zonectl/CQZState.h"

#include "zonectl/CQZGeometry.h"

namespace {

constexpr int kMinutesPerHour = 60;
constexpr const char* kMirrorNumber = "0";

// In the order the property exchange writes them.
struct PersistedProperty
{
    const char* name;
    std::int32_t dispid;
};

constexpr PersistedProperty kPersisted[] = {
    {QZ::kPersistBackColor, QZ::DISPID_BACKCOLOR},
    {QZ::kPersistForeColor, QZ::DISPID_FORECOLOR},
    {QZ::kPersistFont, QZ::DISPID_FONT},
    {QZ::kPersistShowToolTip, QZ::DISPID_ShowToolTip},
    {QZ::kPersistTimeZoneNumber, QZ::DISPID_TimeZoneNumber},
};

bool IsNumber(const QVariant& value)
{
    const int type = value.typeId();
    return type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::UInt;
}

bool ToLong(const QVariant& value, long long* number)
{
    if (value.typeId() == QMetaType::Bool) {
        *number = value.toBool() ? -1 : 0;
        return true;
    }
    if (!IsNumber(value))
        return false;
    *number = value.toLongLong();
    return true;
}

bool ToBool(const QVariant& value, bool* flag)
{
    long long number = 0;
    if (!ToLong(value, &number))
        return false;
    *flag = number != 0;
    return true;
}

bool ToText(const QVariant& value, QString* text)
{
    if (value.typeId() != QMetaType::QString && !IsNumber(value))
        return false;
    *text = value.toString();
    return true;
}

bool ToColor(const QVariant& value, QColor* colour)
{
    if (value.typeId() != QMetaType::QColor)
        return false;
    *colour = value.value<QColor>();
    return true;
}

bool ToFont(const QVariant& value, QFont* font)
{
    if (value.typeId() != QMetaType::QFont)
        return false;
    *font = value.value<QFont>();
    return true;
}

// Period index and edge of a begin or end dispatch identifier.
bool PeriodOf(std::int32_t dispid, int* period, bool* isBegin)
{
    for (int p = 0; p < QZ::kPeriodCount; ++p) {
        if (dispid == QZ::BeginDispid(p) || dispid == QZ::EndDispid(p)) {
            *period = p;
            *isBegin = dispid == QZ::BeginDispid(p);
            return true;
        }
    }
    return false;
}

} // namespace

ZcResult CQZState::GetProperty(std::int32_t dispid, QVariant* value) const
{
    int period = 0;
    bool isBegin = false;
    if (PeriodOf(dispid, &period, &isBegin)) {
        const Period& p = PeriodAt(period);
        *value = isBegin ? p.begin : p.end;
        return ZC_S_OK;
    }
    switch (dispid) {
    case QZ::DISPID_ShowTimeScale:
        *value = m_showTimeScale;
        return ZC_S_OK;
    case QZ::DISPID_ShowToolTip:
        *value = m_showToolTip;
        return ZC_S_OK;
    case QZ::DISPID_TimeZoneNumber:
        *value = m_timeZoneNumber;
        return ZC_S_OK;
    case QZ::DISPID_Active:
        *value = m_active;
        return ZC_S_OK;
    case QZ::DISPID_BACKCOLOR:
        *value = m_backColor;
        return ZC_S_OK;
    case QZ::DISPID_FORECOLOR:
        *value = m_foreColor;
        return ZC_S_OK;
    case QZ::DISPID_FONT:
        *value = m_font;
        return ZC_S_OK;
    default:
        return ZC_DISP_E_MEMBERNOTFOUND;
    }
}

ZcResult CQZState::SetProperty(std::int32_t dispid, const QVariant& value)
{
    int period = 0;
    bool isBegin = false;
    if (PeriodOf(dispid, &period, &isBegin)) {
        long long minutes = 0;
        if (!ToLong(value, &minutes))
            return ZC_DISP_E_TYPEMISMATCH;
        const Period& p = PeriodAt(period);
        if (isBegin)
            SetPeriod(period, CQZGeometry::ClampMinutes(minutes), p.end);
        else
            SetPeriod(period, p.begin, CQZGeometry::ClampMinutes(minutes));
        return ZC_S_OK;
    }
    bool converted = false;
    switch (dispid) {
    case QZ::DISPID_ShowTimeScale:
        converted = ToBool(value, &m_showTimeScale);
        break;
    case QZ::DISPID_ShowToolTip:
        converted = ToBool(value, &m_showToolTip);
        break;
    case QZ::DISPID_TimeZoneNumber:
        converted = ToText(value, &m_timeZoneNumber);
        break;
    case QZ::DISPID_Active:
        converted = ToBool(value, &m_active);
        break;
    case QZ::DISPID_BACKCOLOR:
        converted = ToColor(value, &m_backColor);
        break;
    case QZ::DISPID_FORECOLOR:
        converted = ToColor(value, &m_foreColor);
        break;
    case QZ::DISPID_FONT:
        converted = ToFont(value, &m_font);
        break;
    default:
        return ZC_DISP_E_MEMBERNOTFOUND;
    }
    return converted ? ZC_S_OK : ZC_DISP_E_TYPEMISMATCH;
}

bool CQZState::Load(const PersistReader& read)
{
    const CQZState defaults;
    bool allRead = true;
    for (const PersistedProperty& property : kPersisted) {
        QVariant value;
        if (!read(QString::fromLatin1(property.name), &value))
            defaults.GetProperty(property.dispid, &value);
        if (SetProperty(property.dispid, value) != ZC_S_OK) {
            allRead = false;
            defaults.GetProperty(property.dispid, &value);
            SetProperty(property.dispid, value);
        }
    }
    return allRead;
}

bool CQZState::Save(const PersistWriter& write) const
{
    if (!write(QString::fromLatin1(QZ::kPersistVersionName), QZ::kPersistVersion))
        return false;
    for (const PersistedProperty& property : kPersisted) {
        QVariant value;
        GetProperty(property.dispid, &value);
        if (!write(QString::fromLatin1(property.name), value))
            return false;
    }
    return true;
}

void CQZState::SetPeriod(int period, int begin, int end)
{
    Period& p = m_periods[static_cast<size_t>(period)];
    p.begin = CQZGeometry::ClampMinutes(begin);
    p.end = CQZGeometry::ClampMinutes(end);
}

int CQZState::FirstFreePeriod() const
{
    for (int p = 0; p < QZ::kPeriodCount; ++p) {
        if (PeriodAt(p).IsEmpty())
            return p;
    }
    return -1;
}

bool CQZState::IsMirror() const
{
    return m_timeZoneNumber == QLatin1String(kMirrorNumber);
}

QString CQZState::ToolTipText(int which) const
{
    if (which == 0) {
        if (IsMirror())
            return {};
        return QStringLiteral("Time Zone %1, Right-click to add time period").arg(m_timeZoneNumber);
    }
    const Period& p = PeriodAt(which - 1);
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("Time period %1: %2:%3 to %4:%5")
        .arg(which)
        .arg(two(p.begin / kMinutesPerHour), two(p.begin % kMinutesPerHour), two(p.end / kMinutesPerHour),
             two(p.end % kMinutesPerHour));
}
