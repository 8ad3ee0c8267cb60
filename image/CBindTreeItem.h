#pragma once

#include <cstdint>

// An element of the record index tree: a key and the slot it is stored in.
class CBindTreeItem
{
public:
    explicit CBindTreeItem(std::uint64_t key = 0)
        : m_key(key)
    {
    }
    virtual ~CBindTreeItem() = default;
    CBindTreeItem(const CBindTreeItem&) = default;
    CBindTreeItem& operator=(const CBindTreeItem&) = default;

    virtual std::uint64_t GetKey() const = 0;
    virtual std::uint16_t GetValue() const = 0;

protected:
    std::uint64_t m_key;
};
