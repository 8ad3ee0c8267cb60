#include "cardholders/CredentialAssignment.h"

#include "cardholders/CredentialTables.h"

#include "common/Formatting.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/AllRowsWalk.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <algorithm>

namespace CredentialAssignment {

namespace {

constexpr int kShortIndividualDigits = 7;
constexpr int kShortIndividualWidth = 11;
const QString kIndividualEnding = QStringLiteral("(indiv)");

bool IsDigits(const QString& text)
{
    return !text.isEmpty()
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// A deleted individual number inside a live block would give the number a
// second holder once it came back.
template <class Tables>
bool InsideLiveBlock(double number)
{
    const QString n = FormatWholeNumber(number);
    return FindRow(Tables::Ranges(), QStringLiteral("Deleted = FALSE AND BlockBegin <= %1 AND BlockEnd >= %1").arg(n));
}

template <class Tables>
AssignResult AssignNumber(std::int32_t userId, double number)
{
    auto& blocks = Tables::Blocks();
    if (FindRow(blocks, EqualsNumber(Tables::kBlockColumn, number) + QStringLiteral(" AND UserID = 0"))) {
        blocks.Edit();
        blocks.m_UserID = userId;
        blocks.m_Suspended = false;
        blocks.Update();
        return AssignResult::Assigned;
    }
    auto& singles = Tables::Singles();
    if (!FindRow(singles, EqualsNumber(Tables::kSingleColumn, number) + QStringLiteral(" AND UserIDSingle = 0")))
        return AssignResult::NotAvailable;
    if (singles.m_DeletedSingle && InsideLiveBlock<Tables>(number))
        return AssignResult::NotAvailable;
    singles.Edit();
    singles.m_UserIDSingle = userId;
    singles.m_SuspendedSingle = false;
    singles.m_DeletedSingle = false;
    singles.Update();
    return AssignResult::Assigned;
}

} // namespace

QString BlockText(CredentialKind kind, double number)
{
    return QStringLiteral("%1").arg(FormatWholeNumber(number), TextsOf(kind).blockWidth);
}

QString IndividualText(double number)
{
    const QString digits = FormatWholeNumber(number);
    const QString shown = digits.size() < kShortIndividualDigits
                              ? QStringLiteral("%1").arg(digits, kShortIndividualWidth)
                              : digits;
    return shown + QLatin1Char(' ') + kIndividualEnding;
}

Typed ReadTyped(CredentialKind kind, const QString& text)
{
    const CredentialTexts& texts = TextsOf(kind);
    QString digits = text.trimmed();
    if (digits.isEmpty())
        return {std::nullopt, texts.specifyNumber};
    const bool chosen = digits.contains(QLatin1Char('('));
    if (chosen) {
        if (!digits.endsWith(QLatin1Char(' ') + kIndividualEnding))
            return {std::nullopt, texts.entryNotInteger};
        digits.chop(kIndividualEnding.size());
        digits = digits.trimmed();
    }
    if (!IsDigits(digits))
        return {std::nullopt, chosen ? texts.entryNotInteger : texts.codeNotInteger};
    const double number = digits.toDouble();
    if (number > kHighestNumber)
        return {std::nullopt, texts.maxNumber};
    return {number, {}};
}

std::vector<Held> ListHeld(CredentialKind kind, std::int32_t userId)
{
    std::vector<Held> held;
    // Spares carry UserID 0: no cardholder shown holds nothing.
    if (userId <= 0)
        return held;
    try {
        WithTables(kind, [&](auto tables) {
            using Tables = decltype(tables);
            WalkAllRows(Tables::Blocks(), QStringLiteral("UserID = %1").arg(userId), [&](auto& r) {
                if (held.size() < kMaxAssigned)
                    held.push_back({BlockText(kind, Tables::Number(r)), Tables::Number(r)});
            });
            WalkAllRows(Tables::Singles(), QStringLiteral("UserIDSingle = %1").arg(userId), [&](auto& r) {
                if (held.size() < kMaxAssigned)
                    held.push_back({IndividualText(Tables::Number(r)), Tables::Number(r)});
            });
        });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return held;
}

std::vector<Spare> ListSpares(CredentialKind kind)
{
    std::vector<Spare> spares;
    try {
        WithTables(kind, [&](auto tables) {
            using Tables = decltype(tables);
            WalkAllRows(Tables::Blocks(), QStringLiteral("UserID = 0 AND Suspended = TRUE AND Lost = FALSE"),
                        [&](auto& r) { spares.push_back({BlockText(kind, Tables::Number(r)), r.m_AutoNumIndex}); });
            WalkAllRows(Tables::Singles(),
                        QStringLiteral("UserIDSingle = 0 AND SuspendedSingle = TRUE AND LostSingle = FALSE "
                                       "AND DeletedSingle = FALSE"),
                        [&](auto& r) { spares.push_back({IndividualText(Tables::Number(r)), r.m_AutoNumIndexSingle}); });
        });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    std::sort(spares.begin(), spares.end(), [](const Spare& a, const Spare& b) { return a.text < b.text; });
    return spares;
}

std::optional<Status> LoadStatus(CredentialKind kind, double number)
{
    try {
        return WithTables(kind, [&](auto tables) -> std::optional<Status> {
            using Tables = decltype(tables);
            auto& blocks = Tables::Blocks();
            if (FindRow(blocks, EqualsNumber(Tables::kBlockColumn, number)))
                return Status{blocks.m_Suspended, blocks.m_Lost};
            auto& singles = Tables::Singles();
            if (FindRow(singles, EqualsNumber(Tables::kSingleColumn, number)))
                return Status{singles.m_SuspendedSingle, singles.m_LostSingle};
            return std::nullopt;
        });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return std::nullopt;
    }
}

bool StoreStatus(CredentialKind kind, double number, const Status& status)
{
    try {
        const bool stored = WithTables(kind, [&](auto tables) {
            using Tables = decltype(tables);
            auto& blocks = Tables::Blocks();
            if (FindRow(blocks, EqualsNumber(Tables::kBlockColumn, number))) {
                blocks.Edit();
                blocks.m_Suspended = status.suspended;
                blocks.m_Lost = status.lost;
                blocks.Update();
                return true;
            }
            auto& singles = Tables::Singles();
            if (!FindRow(singles, EqualsNumber(Tables::kSingleColumn, number)))
                return false;
            singles.Edit();
            singles.m_SuspendedSingle = status.suspended;
            singles.m_LostSingle = status.lost;
            singles.Update();
            return true;
        });
        if (stored)
            MarkDataToProgram();
        return stored;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

AssignResult Assign(CredentialKind kind, std::int32_t userId, int heldCount, const QString& text)
{
    const CredentialTexts& texts = TextsOf(kind);
    if (heldCount >= kMaxAssigned) {
        ShowMessageBox(texts.maxAssignments.arg(kMaxAssigned));
        return AssignResult::Refused;
    }
    const Typed typed = ReadTyped(kind, text);
    if (!typed.number) {
        ShowMessageBox(typed.refusal);
        return AssignResult::Refused;
    }
    try {
        const AssignResult result
            = WithTables(kind, [&](auto tables) { return AssignNumber<decltype(tables)>(userId, *typed.number); });
        if (result == AssignResult::NotAvailable) {
            ShowMessageBox(texts.notAvailable);
            return result;
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return AssignResult::Refused;
    }
    MarkDataToProgram();
    return AssignResult::Assigned;
}

bool Surrender(CredentialKind kind, double number)
{
    try {
        const bool written = WithTables(kind, [&](auto tables) {
            using Tables = decltype(tables);
            auto& blocks = Tables::Blocks();
            if (FindRow(blocks, EqualsNumber(Tables::kBlockColumn, number))) {
                blocks.Edit();
                blocks.m_UserID = 0;
                blocks.m_Suspended = true;
                blocks.m_Lost = false;
                blocks.Update();
                return true;
            }
            auto& singles = Tables::Singles();
            if (!FindRow(singles, EqualsNumber(Tables::kSingleColumn, number)))
                return false;
            singles.Edit();
            singles.m_UserIDSingle = 0;
            singles.m_SuspendedSingle = true;
            singles.m_LostSingle = false;
            singles.m_DeletedSingle = false;
            singles.Update();
            return true;
        });
        if (written)
            MarkDataToProgram();
        return written;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

} // namespace CredentialAssignment
