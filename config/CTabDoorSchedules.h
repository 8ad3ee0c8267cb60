#pragma once

#include "config/DoorScheduleList.h"
#include "config/IDoorSchedulesPage.h"
#include "config/INetworkSettingsPage.h"

#include <QWidget>

#include <array>

class QComboBox;
class QListWidget;

// Which doors belong to each door schedule: the membership lives per door
// in the controllers table, not in the settings image.
class CTabDoorSchedules : public QWidget, public INetworkSettingsPage, public IDoorSchedulesPage
{
    Q_OBJECT
public:
    static constexpr int kHalves = 2;

    explicit CTabDoorSchedules(QWidget* parent = nullptr);
    // Writes the lists unless told not to; a write that changed rows marks
    // data to program, so the panels do not drift from the table unseen.
    ~CTabDoorSchedules() override;

    // The editor commits this page itself.
    void Store() override {}
    void Commit(CommitMode mode) override;
    bool Changed() const override { return m_changed; }
    void SetNoCommitOnDestroy() override { m_noCommitOnDestroy = true; }

    QComboBox* ScheduleList(int half) const { return m_schedules[static_cast<size_t>(half)]; }
    QListWidget* DoorList(int half) const { return m_doors[static_cast<size_t>(half)]; }

private:
    QWidget* BuildHalf(int half, int firstSchedule, int lastSchedule);
    void FillDoors(int half);
    void ShowSchedule(int half);
    // Takes the visible marks into the masks and shows the schedule chosen now.
    void FoldMarks(int half, int shownIndex, int newIndex);
    bool CommitLists(bool write);

    std::array<DoorScheduleList, kHalves> m_lists{DoorScheduleList(DoorScheduleList::Half::First),
                                                  DoorScheduleList(DoorScheduleList::Half::Second)};
    std::array<QComboBox*, kHalves> m_schedules{};
    std::array<QListWidget*, kHalves> m_doors{};
    std::array<int, kHalves> m_shown{};
    bool m_changed = false;
    bool m_noCommitOnDestroy = false;
};
