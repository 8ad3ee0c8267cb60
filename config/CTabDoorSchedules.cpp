#include "config/CTabDoorSchedules.h"

#include "common/SharedHelpers.h"
#include "config/PageLayout.h"
#include "database/GlobalRecordsets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int kFirstHalf = 0;
constexpr int kSecondHalf = 1;
constexpr int kFirstHalfFirst = 1;
constexpr int kFirstHalfLast = 15;
constexpr int kSecondHalfFirst = 16;
constexpr int kSecondHalfLast = 31;
constexpr int kRowRole = Qt::UserRole;

} // namespace

CTabDoorSchedules::CTabDoorSchedules(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CTabDoorSchedules"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildHalf(kFirstHalf, kFirstHalfFirst, kFirstHalfLast));
    layout->addWidget(BuildHalf(kSecondHalf, kSecondHalfFirst, kSecondHalfLast));
    const bool mayChange = OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege);
    for (int half = 0; half < kHalves; ++half) {
        FillDoors(half);
        m_doors[static_cast<size_t>(half)]->setEnabled(mayChange);
    }
}

CTabDoorSchedules::~CTabDoorSchedules()
{
    if (!m_noCommitOnDestroy && CommitLists(true))
        MarkDataToProgram();
}

QWidget* CTabDoorSchedules::BuildHalf(int half, int firstSchedule, int lastSchedule)
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Door Schedule"), box));
    auto* schedules = new QComboBox(box);
    for (int schedule = firstSchedule; schedule <= lastSchedule; ++schedule)
        schedules->addItem(QString::number(schedule));
    layout->addWidget(schedules);
    layout->addWidget(new QLabel(QStringLiteral("Doors"), box));
    auto* doors = new QListWidget(box);
    doors->setSelectionMode(QAbstractItemView::NoSelection);
    doors->setSortingEnabled(true);
    layout->addWidget(doors, 1);
    m_schedules[static_cast<size_t>(half)] = schedules;
    m_doors[static_cast<size_t>(half)] = doors;
    connect(schedules, &QComboBox::currentIndexChanged, this, [this, half] { ShowSchedule(half); });
    return box;
}

void CTabDoorSchedules::FillDoors(int half)
{
    DoorScheduleList& list = m_lists[static_cast<size_t>(half)];
    QListWidget* doors = m_doors[static_cast<size_t>(half)];
    doors->clear();
    list.Read(g_setVestrels);
    const int shown = m_shown[static_cast<size_t>(half)];
    for (int row = 0; row < static_cast<int>(list.Lines().size()); ++row) {
        auto* item = new QListWidgetItem(list.Lines()[static_cast<size_t>(row)].label);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setData(kRowRole, row);
        item->setCheckState(list.InSchedule(row, shown) ? Qt::Checked : Qt::Unchecked);
        doors->addItem(item);
    }
}

void CTabDoorSchedules::ShowSchedule(int half)
{
    const int shownIndex = m_shown[static_cast<size_t>(half)];
    const int newIndex = m_schedules[static_cast<size_t>(half)]->currentIndex();
    if (newIndex < 0)
        return;
    FoldMarks(half, shownIndex, newIndex);
    m_shown[static_cast<size_t>(half)] = newIndex;
}

void CTabDoorSchedules::FoldMarks(int half, int shownIndex, int newIndex)
{
    DoorScheduleList& list = m_lists[static_cast<size_t>(half)];
    QListWidget* doors = m_doors[static_cast<size_t>(half)];
    for (int i = 0; i < doors->count(); ++i) {
        QListWidgetItem* item = doors->item(i);
        const int row = item->data(kRowRole).toInt();
        list.SetInSchedule(row, shownIndex, item->checkState() == Qt::Checked);
        item->setCheckState(list.InSchedule(row, newIndex) ? Qt::Checked : Qt::Unchecked);
    }
}

void CTabDoorSchedules::Commit(CommitMode mode)
{
    CommitLists(mode == CommitMode::Write);
}

bool CTabDoorSchedules::CommitLists(bool write)
{
    bool changed = false;
    for (int half = 0; half < kHalves; ++half) {
        const int shown = m_shown[static_cast<size_t>(half)];
        FoldMarks(half, shown, shown);
        changed = m_lists[static_cast<size_t>(half)].Commit(g_setVestrels, write) || changed;
    }
    if (changed)
        m_changed = true;
    return changed;
}
