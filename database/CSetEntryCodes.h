#pragma once

#include "database/CSetBase.h"

#include <optional>

#include <QDateTime>
#include <QString>

#include <cstdint>

// One row per keypad entry code.
class CSetEntryCodes : public CSetBase
{
public:
    CSetEntryCodes();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    // The code packed for the panels, computed from Code and never stored
    // (dCode holds the digits' whole-number value): starting from all bits set, each digit
    // shifts in as one nibble, so unfilled leading nibbles stay 0xF ("1234"
    // gives -60876). Nothing for a code with a character other than a digit
    // or with more digits than a double holds exactly.
    std::optional<double> GetCodeValue() const;
    static std::optional<double> CodeValueOf(const QString& code);
    // The code, every character shown as '#' when the code is hidden.
    QString GetDisplayCode() const;

    // 13 nibbles keep the packed value within a double's 53-bit mantissa.
    static constexpr int kMaxCodeDigits = 13;

    std::int32_t m_EntryCodeID = 0;
    QString m_Code;
    bool m_Suspended = false;
    bool m_Hidden = false;
    std::int32_t m_UserID = 0;
    bool m_Deleted = false;
    double m_dCode = 0.0;
    std::uint8_t m_CHSet = 0;
};
