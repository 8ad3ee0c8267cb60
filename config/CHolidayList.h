#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class CWFDoc;

// One of the two holiday lists of the calendar page. Entries keep the order
// they were added in, which is their slot order when stored: a deleted entry
// moves the later ones up.
class CHolidayList
{
public:
    static constexpr int kSlots = 24;

    explicit CHolidayList(bool expiring) : m_expiring(expiring) {}

    // Takes the filled slots in slot order, without checking their dates.
    void Load(CWFDoc& doc);
    // Slot i takes entry i; the slots after the last entry are emptied.
    void Store(CWFDoc& doc) const;

    bool IsExpiring() const { return m_expiring; }
    bool CanAdd() const { return Count() < kSlots; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    // False when the list is full.
    bool Add(std::uint32_t data);
    bool Remove(int index);
    std::uint32_t Data(int index) const { return m_entries.at(index); }
    QString Text(int index) const;

private:
    bool m_expiring;
    std::vector<std::uint32_t> m_entries;
};
