#include "cardholders/DirectoryCodes.h"

#include "common/PanelText.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/AllRowsWalk.h"
#include "image/DirectoryIndex.h"
#include "platform/DatabaseException.h"
#include "platform/JetSql.h"
#include "platform/MessageBox.h"

#include <QSet>

namespace DirectoryCodes {

namespace {

constexpr int kDecimalBase = 10;
// The tenant name goes to the panel's directory; it is shown as this field.
const QString kTenantField = QStringLiteral("Tenant name");

QString PaddedCode(int value, int length)
{
    return QStringLiteral("%1").arg(value, length, kDecimalBase, QLatin1Char('0'));
}

QString CodeCriteria(const QString& code)
{
    return QStringLiteral("UserDirectoryCode = %1").arg(JetSql::QuoteText(code));
}

void Requery(Recordset& set, const QString& filter = {})
{
    set.m_strFilter = filter;
    set.m_strSort.clear();
    set.Requery();
}

Subsets RowSubsets(const CSetPhoneEntries& r)
{
    return {r.m_SubsetA, r.m_SubsetB, r.m_SubsetC, r.m_SubsetD, r.m_SubsetE, r.m_SubsetF, r.m_SubsetG, r.m_SubsetH};
}

void WriteSubsets(CSetPhoneEntries& r, const Subsets& s)
{
    bool* fields[] = {&r.m_SubsetA, &r.m_SubsetB, &r.m_SubsetC, &r.m_SubsetD,
                      &r.m_SubsetE, &r.m_SubsetF, &r.m_SubsetG, &r.m_SubsetH};
    for (int i = 0; i < kSubsets; ++i)
        *fields[i] = s[static_cast<std::size_t>(i)];
}

bool FindEntry(std::int32_t entryId)
{
    Requery(g_setPhoneEntries);
    return g_setPhoneEntries.FindFirst(QStringLiteral("EntryNumberID = %1").arg(entryId));
}

bool CodeInUse(const QString& code)
{
    Requery(g_setPhoneEntries);
    return g_setPhoneEntries.FindFirst(CodeCriteria(code) + QStringLiteral(" AND UserID <> 0"));
}

} // namespace

Subsets DefaultSubsets()
{
    Subsets s{};
    s[0] = true;
    return s;
}

int LargestCode(int length)
{
    int largest = 0;
    for (int i = 0; i < length; ++i)
        largest = largest * kDecimalBase + (kDecimalBase - 1);
    return largest;
}

QString FindFreeCode(int length, bool warn)
{
    QSet<QString> held;
    try {
        WalkAllRows(g_setPhoneEntries, QStringLiteral("UserID <> 0"),
                    [&held](CSetPhoneEntries& r) { held.insert(r.m_UserDirectoryCode); });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return {};
    }
    const int largest = LargestCode(length);
    for (int n = 1; n <= largest; ++n) {
        const QString code = PaddedCode(n, length);
        if (!held.contains(code))
            return code;
    }
    if (warn)
        ShowMessageBox(QStringLiteral("All directory codes from 1 to %1 are assigned.").arg(largest), MbButtons::Ok,
                       MbIcon::Exclamation);
    return {};
}

std::vector<Listed> ListCodes(std::int32_t userId, Subsets& firstSubsets)
{
    std::vector<Listed> codes;
    firstSubsets = DefaultSubsets();
    try {
        WalkAllRows(g_setPhoneEntries, QStringLiteral("UserID = %1").arg(userId), [&](CSetPhoneEntries& r) {
            if (codes.empty())
                firstSubsets = RowSubsets(r);
            codes.push_back({r.m_UserDirectoryCode, r.m_EntryNumberID});
        });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return codes;
}

bool CheckCode(const QString& code, int length)
{
    if (g_nDirectoryPages >= kMaxScreens) {
        ShowMessageBox(QStringLiteral("The maxium number of display screens has been reached.\n\n"
                                      "Wardenfold will not support any more directory codes."));
        return false;
    }
    if (code.size() != length) {
        ShowMessageBox(QStringLiteral("Directory Code must be %1 digits.").arg(length));
        return false;
    }
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            ShowMessageBox(QStringLiteral("Invalid Directory Code."));
            return false;
        }
    }
    if (code.toInt() == 0) {
        ShowMessageBox(QStringLiteral("Directory entry %1 is not allowed.").arg(code));
        return false;
    }
    try {
        if (CodeInUse(code)) {
            ShowMessageBox(QStringLiteral("The entered Directory Code is already in use."));
            return false;
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    return true;
}

bool Assign(std::int32_t userId, const QString& code, const Subsets& subsets)
{
    QString names;
    QString tenant;
    try {
        g_setUsers.m_strFilter.clear();
        g_setUsers.Requery();
        if (!g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(userId)))
            return false;
        names = QStringLiteral("%1 %2").arg(g_setUsers.m_LastName, g_setUsers.m_FirstName);
        // The cardholder's names only start the tenant name: what a panel
        // cannot hold of them gives way to its nearest, and the operator
        // edits the rest.
        tenant = NearestPanelText(names).left(kTenantLength);
        Requery(g_setPhoneEntries);
        // One code, one row: a free row that carried the code takes it again.
        if (g_setPhoneEntries.FindFirst(CodeCriteria(code) + QStringLiteral(" AND UserID = 0"))
            || g_setPhoneEntries.FindFirst(QStringLiteral("UserID = 0")))
            g_setPhoneEntries.Edit();
        else
            g_setPhoneEntries.AddNew();
        CSetPhoneEntries& r = g_setPhoneEntries;
        WriteSubsets(r, subsets);
        r.m_UserID = userId;
        r.m_TenantName = tenant;
        r.m_ExtendedTalkTime = false;
        r.m_PhoneNumber = g_setUsers.GetHomePhoneDigits();
        r.m_UserDirectoryCode = code;
        r.Update();
        g_setPhoneEntries.Requery();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    MarkDataToProgram();
    if (tenant != names.left(kTenantLength))
        ShowMessageBox(QStringLiteral("The tenant name was changed to \"%1\", because a controller cannot hold "
                                      "every character of \"%2\".\n\nYou can edit the tenant name on this page.")
                           .arg(tenant, names),
                       MbButtons::Ok, MbIcon::Information);
    return true;
}

bool Surrender(std::int32_t entryId)
{
    try {
        if (!FindEntry(entryId))
            return false;
        CSetPhoneEntries& r = g_setPhoneEntries;
        r.Edit();
        r.m_UserID = 0;
        r.m_TenantName.clear();
        r.m_PhoneNumber.clear();
        r.m_ExtendedTalkTime = false;
        r.m_UserDirectoryCode = QStringLiteral(" ");
        WriteSubsets(r, DefaultSubsets());
        r.Update();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    MarkDataToProgram();
    return true;
}

bool LoadEntry(std::int32_t entryId, Entry& entry)
{
    entry = Entry{};
    try {
        if (!FindEntry(entryId))
            return false;
        entry = {g_setPhoneEntries.m_TenantName, g_setPhoneEntries.m_PhoneNumber,
                 g_setPhoneEntries.m_ExtendedTalkTime, RowSubsets(g_setPhoneEntries)};
        return true;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool StoreEntry(std::int32_t entryId, const Entry& entry)
{
    bool changed = false;
    if (!CheckPanelText(kTenantField, entry.tenant))
        return false;
    try {
        if (!FindEntry(entryId))
            return false;
        CSetPhoneEntries& r = g_setPhoneEntries;
        if (r.m_TenantName != entry.tenant || r.m_PhoneNumber != entry.phone
            || r.m_ExtendedTalkTime != entry.extendedTalkTime) {
            r.Edit();
            r.m_TenantName = entry.tenant;
            r.m_PhoneNumber = entry.phone;
            r.m_ExtendedTalkTime = entry.extendedTalkTime;
            r.Update();
            changed = true;
        }
        if (RowSubsets(r) != entry.subsets) {
            r.Edit();
            WriteSubsets(r, entry.subsets);
            r.Update();
            changed = true;
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    if (changed)
        MarkDataToProgram();
    return changed;
}

} // namespace DirectoryCodes
