#pragma once

#include "image/CBindTreeEntry.h"
#include "image/CPagedBinder.h"

#include <array>
#include <cstdint>
#include <vector>

// What the single-card and single-transmitter binders share: their file is a
// record index tree of 16-byte panel records, one per enrolled credential,
// and a node gets the slots whose records changed.
class CSingleLearnedBinder : public CPagedBinder
{
public:
    static constexpr int kRecordSize = 16;
    static constexpr int kCapacity = 20000;

    struct Row
    {
        double number = 0;
        bool deleted = false;
        bool lost = false;
        bool suspended = false;
        std::int32_t holder = 0;
        std::array<std::uint8_t, 4> facilityCodes{};
    };

    using CPagedBinder::CPagedBinder;

    int UnitSize() const override { return kRecordSize; }
    int GenerateCommands(std::uint8_t nodeCode, int force) override;

    // The panel record of one credential; the links are left to the tree.
    static void BuildRecord(CBindTreeEntry::Data& data, double number, std::uint16_t mask, bool lost,
                            bool suspended, bool deleted, std::int32_t holder);

protected:
    struct Texts
    {
        const char* progress;
        const char* full;
        const char* treeName;
    };

    // Binds the rows, in table order, into the tree the file holds. 0 when the
    // file cannot be read or written, or the tree is full (the file is then
    // left as it was).
    int BindRows(const std::vector<Row>& rows, const Texts& texts);
};
