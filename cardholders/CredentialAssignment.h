#pragma once

#include "cardholders/CredentialKind.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// Giving cards and transmitters to a cardholder and taking them back: block
// numbers ([Cards], [Transmitters]) are looked up before individual ones.
namespace CredentialAssignment {

inline constexpr int kMaxAssigned = 500;
inline constexpr double kHighestNumber = 1099511627775.0;

struct Held
{
    QString text;
    double number = 0.0;
};

struct Spare
{
    QString text;
    std::int32_t index = 0;
};

struct Status
{
    bool suspended = false;
    bool lost = false;
};

// The number a typed or chosen text names, or the refusal to show for it.
struct Typed
{
    std::optional<double> number;
    QString refusal;
};

enum class AssignResult { Refused, NotAvailable, Assigned };

QString BlockText(CredentialKind kind, double number);
QString IndividualText(double number);
// Trimmed digits, or a chosen spare entry's digits before " (indiv)".
Typed ReadTyped(CredentialKind kind, const QString& text);

// The holder's numbers, block ones first, at most kMaxAssigned.
std::vector<Held> ListHeld(CredentialKind kind, std::int32_t userId);
// The numbers without holder that are neither lost nor deleted, sorted as text.
std::vector<Spare> ListSpares(CredentialKind kind);
std::optional<Status> LoadStatus(CredentialKind kind, double number);
bool StoreStatus(CredentialKind kind, double number, const Status& status);
// The checks in their order (each refusal is shown), then the number's row
// without holder is given to the cardholder.
AssignResult Assign(CredentialKind kind, std::int32_t userId, int heldCount, const QString& text);
// Makes the number a spare again; false when no row holds it.
bool Surrender(CredentialKind kind, double number);

} // namespace CredentialAssignment
