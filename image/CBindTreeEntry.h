#pragma once

#include "image/CBindTreeItem.h"

#include <array>
#include <cstdint>

// One slot of a record index tree: the credential's key, its slot number
// and the panel record stored in that slot (11 or 16 bytes used).
class CBindTreeEntry : public CBindTreeItem
{
public:
    static constexpr int kDataSize = 16;
    using Data = std::array<std::uint8_t, kDataSize>;

    // The header's entry, slot 0.
    CBindTreeEntry() = default;
    explicit CBindTreeEntry(std::uint16_t slot, std::uint64_t key = 0)
        : CBindTreeItem(key)
        , m_slot(slot)
    {
    }

    std::uint64_t GetKey() const override { return m_key; }
    std::uint16_t GetValue() const override { return m_slot; }
    void SetKey(std::uint64_t key) { m_key = key; }

    Data& GetData() { return m_data; }
    const Data& GetData() const { return m_data; }

private:
    std::uint16_t m_slot = 0;
    Data m_data{};
};
