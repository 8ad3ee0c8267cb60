#pragma once

#include "config/CValGroupModel.h"
#include "config/INetworkSettingsPage.h"

#include <QWidget>

#include <array>
#include <memory>

class CScheduleBar;
class CScheduleBarSource;
class CWFDoc;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// The door or the floor validation-group page: one group at a time, its
// schedule, name and the time zones of its four slots, each slot with a
// read-only row of its zone's days and periods.
class CTabValGroups : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    CTabValGroups(CWFDoc& doc, const ValGroupKind& kind, CScheduleBarSource& bars, QWidget* parent = nullptr);
    ~CTabValGroups() override;

    void Store() override;

    QSpinBox* GroupSpin() const { return m_groupSpin; }
    QSpinBox* ZoneSpin(int slot) const { return m_zoneSpins[slot]; }
    QComboBox* ScheduleList() const { return m_schedule; }
    QLineEdit* NameEdit() const { return m_name; }
    QCheckBox* DayBox(int slot, int column) const { return m_days[slot][column]; }
    const CValGroupModel& Model() const { return m_model; }

private:
    void TakeControls();
    void ShowGroup();
    void ShowRows();
    void OnGroupChanged(int group);
    void OnZoneChanged(int slot, int zone);

    CValGroupModel m_model;
    QSpinBox* m_groupSpin = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_schedule = nullptr;
    std::array<QSpinBox*, CValGroupModel::kSlots> m_zoneSpins{};
    std::array<std::array<QCheckBox*, ValidDays::kColumns>, CValGroupModel::kSlots> m_days{};
    std::array<std::unique_ptr<CScheduleBar>, CValGroupModel::kSlots> m_bars;
};
