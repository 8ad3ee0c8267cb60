#pragma once

#include "image/CBindTreeEntry.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

// One slot as the tree file stores it: 40 bytes, little-endian.
struct CBindTreeRecord
{
    static constexpr int kSize = 40;

    std::uint32_t root = 0;
    std::uint64_t key = 0;
    std::uint32_t colour = 0;
    std::uint16_t left = 0;
    std::uint16_t right = 0;
    CBindTreeEntry::Data data{};

    // Appends the 40 bytes to out.
    void AppendTo(QByteArray& out) const;
    // Reads the 40 bytes at offset, which the caller has checked lie within bytes.
    static CBindTreeRecord ReadAt(const QByteArray& bytes, qsizetype offset);

    // The tree file: the record count as an MFC archive writes a count, then
    // the records. Nothing when the bytes are not one whole such array.
    static QByteArray WriteArray(const std::vector<CBindTreeRecord>& records);
    static std::optional<std::vector<CBindTreeRecord>> ReadArray(const QByteArray& bytes);
};
