#pragma once

#include "image/CBindTreeEntry.h"
#include "image/CPagedBinder.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// Writes "EntryCodes.dat" (bank 5): the keypad entry codes as a record index
// tree of 11-byte panel records, so a panel finds a keyed code by walking
// links from slot 0. A node gets the slots whose records changed.
class CEntryCodesBinder : public CPagedBinder
{
public:
    static constexpr int kRecordSize = 11;
    static constexpr int kCapacity = 20000;
    static constexpr int kMaxDigits = 8;
    static constexpr std::uint8_t kBank = 5;
    using Record = std::array<std::uint8_t, kRecordSize>;

    using CPagedBinder::CPagedBinder;

    int Bind() override;
    int GenerateCommands(std::uint8_t nodeCode, int force) override;
    QString FileName() const override { return QStringLiteral("EntryCodes.dat"); }
    std::uint8_t Bank() const override { return kBank; }
    int UnitSize() const override { return kRecordSize; }

    // Fills the panel record of a code of 1-8 digits; false, leaving data
    // untouched, for any other code.
    static bool BuildRecord(CBindTreeEntry::Data& data, const QString& code, bool suspended, std::int32_t holder);
    // The tree key of a code: its packed digits read as a signed 64-bit
    // number; nothing for a code that is not all digits.
    static std::optional<std::uint64_t> KeyOf(const QString& code);
    // The code a panel record holds, for the node view; empty when the
    // record holds none.
    static QString FormatEntryCodeRecord(const Record& record);
};
