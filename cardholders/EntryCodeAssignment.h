#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// A cardholder's keypad entry codes in [EntryCodes]: a code is unique among
// the rows not deleted, and a surrendered code's row is reused when the same
// digits are given again.
namespace EntryCodeAssignment {

inline constexpr int kMaxDigits = 8;
// Room for the two "$" marks of a hidden code.
inline constexpr int kMaxMarkedLength = 10;
inline constexpr QChar kHiddenMark = QLatin1Char('$');

struct Listed
{
    QString text;
    std::int32_t entryCodeId = 0;
};

struct Code
{
    QString digits;
    bool hidden = false;
};

enum class AssignResult { Refused, AlreadyAssigned, Assigned };

// A typed code's length limit: room for the "$" marks when it has one.
int LengthLimit(const QString& text);
// The digits of a typed code, "$" marks removed; the refusal otherwise.
std::optional<Code> ReadCode(const QString& text, QString& refusal);

// The holder's live codes, hidden ones first, each group by value.
std::vector<Listed> List(std::int32_t userId);
std::optional<bool> IsSuspended(std::int32_t entryCodeId);
bool StoreSuspended(std::int32_t entryCodeId, bool suspended);
// Each refusal is shown; a surrendered row with the same digits is reused.
AssignResult Assign(std::int32_t userId, const QString& text, bool suspended);
bool Surrender(std::int32_t entryCodeId);

} // namespace EntryCodeAssignment
