#pragma once

#include "platform/ControlAbi.h"
#include "zonectl/QZIdentifiers.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QVariant>

#include <array>
#include <functional>

// The schedule bar's properties, reached by dispatch identifier, and the
// persisted ones by name. Periods are stored clamped to what the bar draws.
class CQZState
{
public:
    struct Period
    {
        int begin = 0;
        int end = 0;

        bool IsEmpty() const { return begin == 0 && end == 0; }
    };

    using PersistReader = std::function<bool(const QString& name, QVariant* value)>;
    using PersistWriter = std::function<bool(const QString& name, const QVariant& value)>;

    ZcResult GetProperty(std::int32_t dispid, QVariant* value) const;
    ZcResult SetProperty(std::int32_t dispid, const QVariant& value);

    // A name missing from the reader takes its default; false when a stored
    // value has the wrong type.
    bool Load(const PersistReader& read);
    bool Save(const PersistWriter& write) const;

    const Period& PeriodAt(int period) const { return m_periods[static_cast<size_t>(period)]; }
    void SetPeriod(int period, int begin, int end);
    int FirstFreePeriod() const;

    bool ShowTimeScale() const { return m_showTimeScale; }
    bool ShowToolTip() const { return m_showToolTip; }
    const QString& TimeZoneNumber() const { return m_timeZoneNumber; }
    const QFont& Font() const { return m_font; }

    // TimeZoneNumber "0" marks the read-only mirrors of the validation-group
    // and relay pages.
    bool IsMirror() const;
    bool EditingAllowed() const { return m_active && !IsMirror(); }

    // 0 the general text, 1 to 4 the period's.
    QString ToolTipText(int which) const;

private:
    std::array<Period, QZ::kPeriodCount> m_periods{};
    bool m_showTimeScale = false;
    bool m_showToolTip = true;
    QString m_timeZoneNumber;
    bool m_active = true;
    QColor m_backColor = Qt::white;
    QColor m_foreColor = Qt::black;
    QFont m_font;
};
