#include "reports/eventlog/EventFilterSelections.h"

#include "database/CSetUsers.h"
#include "database/CSetVLNetworks.h"
#include "database/CSetVestrels.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"
#include "reports/eventlog/EventFilterText.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace {

constexpr int kFirstDoor = 1;
constexpr int kLastDoor = 4;
constexpr std::uint8_t kCardholderSelected = 0x01;

std::uint8_t DoorBit(int door)
{
    return static_cast<std::uint8_t>(1u << (door - 1));
}

std::uint8_t WithBit(std::uint8_t stored, std::uint8_t bit, bool set)
{
    return static_cast<std::uint8_t>(set ? stored | bit : stored & ~bit);
}

void MoveToFirstRow(Recordset& set)
{
    if (!set.IsBOF())
        set.MoveFirst();
}

// Runs a walk or store; a database error shows its report and ends it.
void Guarded(const std::function<void()>& work)
{
    try {
        work();
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
    }
}

} // namespace

void SortFilterEntries(std::vector<FilterEntry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const FilterEntry& a, const FilterEntry& b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
}

std::vector<FilterEntry> ReadDoorEntries(CSetVestrels& controllers, CSetVLNetworks& networks)
{
    std::vector<FilterEntry> entries;
    Guarded([&] {
        for (MoveToFirstRow(controllers); !controllers.IsEOF(); controllers.MoveNext()) {
            if (!networks.FindFirst(QStringLiteral("NodeID = ") + QString::number(controllers.m_NodeID)))
                continue;
            for (int door = kFirstDoor; door <= kLastDoor; ++door) {
                const bool selected = (controllers.m_LastEventLog & DoorBit(door)) != 0;
                entries.push_back({controllers.GetDoorLabel(door, true),
                                   DoorKey(networks.m_Net, controllers.m_NodeAddress, door), selected, selected});
            }
        }
    });
    SortFilterEntries(entries);
    return entries;
}

void StoreDoorSelections(CSetVestrels& controllers, const std::vector<FilterEntry>& entries)
{
    Guarded([&] {
        for (const FilterEntry& entry : entries) {
            if (entry.checked == entry.stored)
                continue;
            const QString controller = QStringLiteral("NodeAddress = ") + QString::number(DoorKeyNode(entry.value))
                                       + QStringLiteral(" AND NetAddress = ") + QString::number(DoorKeyNet(entry.value));
            if (!controllers.FindFirst(controller))
                continue;
            controllers.Edit();
            controllers.m_LastEventLog =
                WithBit(controllers.m_LastEventLog, DoorBit(DoorKeyDoor(entry.value)), entry.checked);
            controllers.Update();
        }
    });
}

std::vector<FilterEntry> ReadCardholderEntries(CSetUsers& cardholders)
{
    std::vector<FilterEntry> entries;
    Guarded([&] {
        for (MoveToFirstRow(cardholders); !cardholders.IsEOF(); cardholders.MoveNext()) {
            if (cardholders.m_Deleted)
                continue;
            const bool selected = (cardholders.m_LastEventLog & kCardholderSelected) != 0;
            entries.push_back({cardholders.GetDisplayName(), cardholders.m_UserID, selected, selected});
        }
    });
    SortFilterEntries(entries);
    return entries;
}

void StoreCardholderSelections(CSetUsers& cardholders, const std::vector<FilterEntry>& entries)
{
    Guarded([&] {
        for (const FilterEntry& entry : entries) {
            if (entry.checked == entry.stored
                || !cardholders.FindFirst(QStringLiteral("UserID = ") + QString::number(entry.value)))
                continue;
            cardholders.Edit();
            cardholders.m_LastEventLog = WithBit(cardholders.m_LastEventLog, kCardholderSelected, entry.checked);
            cardholders.Update();
        }
    });
}
