#pragma once

#include "image/CPagedBinder.h"

#include <QDateTime>

#include <array>

// Writes "Cardholders.dat" (bank 1): one 8-byte record per cardholder number
// with its state, cardholder set and expiry date, so a panel finds a
// credential's holder by number.
class CCardholdersBinder : public CPagedBinder
{
public:
    static constexpr int kRecordSize = 8;
    static constexpr int kRecords = 10000;
    static constexpr std::uint8_t kBank = 1;
    using Record = std::array<std::uint8_t, kRecordSize>;

    using CPagedBinder::CPagedBinder;

    int Bind() override;
    QString FileName() const override { return QStringLiteral("Cardholders.dat"); }
    std::uint8_t Bank() const override { return kBank; }
    int UnitSize() const override { return kRecordSize; }

    // The record of one cardholder; false when its expiry year cannot be held
    // in the record's year byte (2000-2255).
    static bool BuildRecord(bool deleted, bool active, std::uint8_t set, bool neverExpires, const QDateTime& expiry,
                            Record& record);
};
