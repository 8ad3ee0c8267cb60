#pragma once

#include "config/INetworkSettingsPage.h"
#include "config/ValidDays.h"

#include <QWidget>

#include <memory>
#include <vector>

class CScheduleBar;
class CScheduleBarSource;
class CWFDoc;
class QCheckBox;

// A page of time zones, one row each: the eight valid-day boxes and the
// zone's periods in a schedule bar. Serves zones 1-15 and 16-31.
class CTabTimeZones : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    CTabTimeZones(CWFDoc& doc, const char* pageClass, int firstZone, int lastZone, CScheduleBarSource& bars,
                  QWidget* parent = nullptr);
    ~CTabTimeZones() override;

    // Writes each zone's day bits and, where it has a bar, its periods.
    void Store() override;

    int FirstZone() const { return m_firstZone; }
    QCheckBox* DayBox(int zone, int column) const;
    CScheduleBar* Bar(int zone) const;

private:
    CWFDoc& m_doc;
    int m_firstZone;
    std::vector<std::array<QCheckBox*, ValidDays::kColumns>> m_days;
    std::vector<std::unique_ptr<CScheduleBar>> m_bars;
};
