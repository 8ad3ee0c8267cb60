#include "cardholders/EntryCodeAssignment.h"

#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/AllRowsWalk.h"
#include "platform/DatabaseException.h"
#include "platform/JetSql.h"
#include "platform/MessageBox.h"

#include <algorithm>

namespace EntryCodeAssignment {

namespace {

struct Row
{
    Listed listed;
    bool hidden = false;
    double value = 0.0;
};

bool FindRow(const QString& criteria)
{
    g_setEntryCodes.m_strFilter.clear();
    g_setEntryCodes.m_strSort.clear();
    g_setEntryCodes.Requery();
    return g_setEntryCodes.FindFirst(criteria);
}

QString IdCriteria(std::int32_t entryCodeId)
{
    return QStringLiteral("EntryCodeID = %1").arg(entryCodeId);
}

QString CodeCriteria(const QString& digits)
{
    return QStringLiteral("Code = %1").arg(JetSql::QuoteText(digits));
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Writes one flag of a code's row; data is marked only when the row was written.
bool StoreFlag(std::int32_t entryCodeId, bool CSetEntryCodes::*flag, bool value)
{
    try {
        if (!FindRow(IdCriteria(entryCodeId)))
            return false;
        g_setEntryCodes.Edit();
        g_setEntryCodes.*flag = value;
        g_setEntryCodes.Update();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    MarkDataToProgram();
    return true;
}

} // namespace

int LengthLimit(const QString& text)
{
    return text.contains(kHiddenMark) ? kMaxMarkedLength : kMaxDigits;
}

std::optional<Code> ReadCode(const QString& text, QString& refusal)
{
    if (text.isEmpty()) {
        refusal = QStringLiteral("Please specify an entry code.");
        return std::nullopt;
    }
    // A pasted text is not cut to the edit's limit, so the limit is checked here.
    if (text.size() > LengthLimit(text)) {
        refusal = QStringLiteral("Please enter no more than %1 characters.").arg(LengthLimit(text));
        return std::nullopt;
    }
    Code code{text, text.startsWith(kHiddenMark) && text.endsWith(kHiddenMark)};
    if (code.hidden)
        code.digits.remove(kHiddenMark);
    // Marks alone would leave a hidden code without digits.
    if (code.digits.isEmpty() || code.digits.size() > kMaxDigits
        || !std::all_of(code.digits.begin(), code.digits.end(), IsDigit)) {
        refusal = QStringLiteral("Invalid entry code.");
        return std::nullopt;
    }
    return code;
}

std::vector<Listed> List(std::int32_t userId)
{
    std::vector<Row> rows;
    try {
        WalkAllRows(g_setEntryCodes, QStringLiteral("UserID = %1 AND Deleted = FALSE").arg(userId),
                    [&](CSetEntryCodes& r) {
                        rows.push_back({{r.GetDisplayCode(), r.m_EntryCodeID}, r.m_Hidden, r.m_dCode});
                    });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.hidden != b.hidden)
            return a.hidden;
        return a.value < b.value;
    });
    std::vector<Listed> listed;
    listed.reserve(rows.size());
    for (const Row& row : rows)
        listed.push_back(row.listed);
    return listed;
}

std::optional<bool> IsSuspended(std::int32_t entryCodeId)
{
    try {
        if (FindRow(IdCriteria(entryCodeId) + QStringLiteral(" AND Deleted = FALSE")))
            return g_setEntryCodes.m_Suspended;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return std::nullopt;
}

bool StoreSuspended(std::int32_t entryCodeId, bool suspended)
{
    return StoreFlag(entryCodeId, &CSetEntryCodes::m_Suspended, suspended);
}

AssignResult Assign(std::int32_t userId, const QString& text, bool suspended)
{
    QString refusal;
    const std::optional<Code> code = ReadCode(text, refusal);
    if (!code) {
        ShowMessageBox(refusal);
        return AssignResult::Refused;
    }
    try {
        std::optional<std::uint8_t> set;
        g_setUsers.m_strFilter.clear();
        g_setUsers.Requery();
        if (g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(userId)))
            set = g_setUsers.m_CHSetIndex;
        CSetEntryCodes& r = g_setEntryCodes;
        if (FindRow(CodeCriteria(code->digits) + QStringLiteral(" AND Deleted = FALSE"))) {
            ShowMessageBox(QStringLiteral("Entry code %1 is already assigned.").arg(code->digits));
            return AssignResult::AlreadyAssigned;
        }
        if (FindRow(CodeCriteria(code->digits)))
            r.Edit();
        else
            r.AddNew();
        r.m_Code = code->digits;
        r.m_dCode = code->digits.toDouble();
        r.m_Suspended = suspended;
        r.m_Deleted = false;
        r.m_UserID = userId;
        r.m_Hidden = code->hidden;
        if (set)
            r.m_CHSet = *set;
        r.Update();
        r.Requery();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return AssignResult::Refused;
    }
    MarkDataToProgram();
    return AssignResult::Assigned;
}

bool Surrender(std::int32_t entryCodeId)
{
    return StoreFlag(entryCodeId, &CSetEntryCodes::m_Deleted, true);
}

} // namespace EntryCodeAssignment
