#include "cardholders/CardholderStore.h"

#include "app/CWFDoc.h"
#include "common/RecordsetWalk.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/AllRowsWalk.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

std::uint8_t g_nNextCardholderSetIndex = 0;

namespace CardholderStore {

namespace {

constexpr int kFirstIndexBeyond = kMaxSets + 1;
const QString kAllAccessName = QStringLiteral("All Access");
const QString kNoAccessName = QStringLiteral("No Access");

QString Equals(const char* field, std::int64_t value)
{
    return QStringLiteral("%1 = %2").arg(QLatin1String(field)).arg(value);
}

void Requery(Recordset& set, const QString& filter = {}, const QString& sort = {})
{
    set.m_strFilter = filter;
    set.m_strSort = sort;
    set.Requery();
}

// The built-in sets by their names, as the listing finds them among the others.
bool IsBuiltInName(const QString& name)
{
    return name.compare(kAllAccessName, Qt::CaseSensitive) == 0
           || name.compare(kNoAccessName, Qt::CaseSensitive) == 0;
}

CardholderSetItem CurrentSet()
{
    CardholderSetItem item{g_setUserGroups.m_CHSetIndex, g_setUserGroups.m_CHSetName, g_setUserGroups.m_Suspend};
    if (item.index == 0)
        item.index = g_nNextCardholderSetIndex;
    return item;
}

// "No Access" is always suspended, whatever the row says.
void KeepNoAccessSuspended()
{
    if (g_setUserGroups.m_CHSetIndex != kNoAccessSet || g_setUserGroups.m_Suspend)
        return;
    g_setUserGroups.Edit();
    g_setUserGroups.m_Suspend = true;
    g_setUserGroups.Update();
}

void TakeListedSet(std::vector<CardholderSetItem>& sets)
{
    KeepNoAccessSuspended();
    const CardholderSetItem item = CurrentSet();
    if (item.index > g_nNextCardholderSetIndex)
        g_nNextCardholderSetIndex = item.index;
    sets.push_back(item);
}

bool FindSet(std::uint8_t set)
{
    Requery(g_setUserGroups);
    return g_setUserGroups.FindFirst(Equals("CHSetIndex", set));
}

// Releases the rows of one credential table that the cardholder holds.
template <class Set, class Release>
void ReleaseRows(Set& set, const char* userField, std::int32_t userId, Release release)
{
    WalkAllRows(set, Equals(userField, userId), [&](Set& row) {
        row.Edit();
        release(row);
        row.Update();
    });
}

void ClearUserRow(CSetUsers& u)
{
    u.m_Deleted = true;
    u.m_CHSetIndex = 0;
    u.m_FirstName = QStringLiteral("First Name");
    u.m_LastName = QStringLiteral("Last Name");
    for (QString* text : {&u.m_MiddleName, &u.m_Street, &u.m_City, &u.m_State, &u.m_Zip, &u.m_HomePhone,
                          &u.m_WorkPhone, &u.m_CustomType1, &u.m_CustomType2, &u.m_CustomType3, &u.m_CustomType4})
        text->clear();
    u.m_LastEventLog = 0;
    u.m_NeverExpiers = true;
    u.m_Active = false;
    u.m_GotTransmitters = u.m_GotCards = u.m_GotEntryCodes = u.m_GotPhoneEntryNumbers = false;
}

// A new [Users] row as a released one, so it does not start expired. Null
// when its UserID would lie beyond the panels' cardholder records.
bool AppendUserRow()
{
    g_setUsers.AddNew();
    ClearUserRow(g_setUsers);
    g_setUsers.Update();
    g_setUsers.SetBookmark(g_setUsers.GetLastModifiedBookmark());
    if (g_setUsers.m_UserID <= kMaxUserId)
        return true;
    g_setUsers.Delete();
    g_setUsers.Requery();
    ShowMessageBox(QStringLiteral("You have reached the maximum number of cardholders, which is 9999."));
    return false;
}

// A new or deleted set gives "All Access" everywhere.
void ClearGroupBytes(CSetUserGroups& s)
{
    for (std::uint8_t* b : {&s.m_DoorVG1, &s.m_DoorVG2, &s.m_DoorVG3, &s.m_DoorVG4, &s.m_FloorVG1, &s.m_FloorVG2,
                            &s.m_FloorVG3, &s.m_FloorVG4, &s.m_TimeZone1, &s.m_TimeZone2, &s.m_TimeZone3, &s.m_TimeZone4})
        *b = 0;
}

int CountSetRows()
{
    Requery(g_setUserGroups);
    if (!MoveToFirstRow(g_setUserGroups))
        return 0;
    g_setUserGroups.MoveLast();
    return static_cast<int>(g_setUserGroups.GetRecordCount());
}

} // namespace

QString TreeText(const CSetUsers& user)
{
    return user.GetDisplayName();
}

bool IsSetSuspended(std::uint8_t set)
{
    try {
        return FindSet(set) && g_setUserGroups.m_Suspend;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

int ChooseImage(CSetUsers& user, bool setSuspended, bool noAccessSet)
{
    const auto makeInactive = [&user] {
        user.Edit();
        user.m_Active = false;
        user.Update();
    };
    if (noAccessSet && user.m_Active)
        makeInactive();
    if (user.IsExpired())
        return CardholderImage::kExpired;
    if (setSuspended || !user.m_Active) {
        if (user.m_Active)
            makeInactive();
        return CardholderImage::kSuspended;
    }
    return CardholderImage::kActive;
}

bool ListSets(std::vector<CardholderSetItem>& sets)
{
    sets.clear();
    try {
        Requery(g_setUserGroups);
        if (!MoveToFirstRow(g_setUserGroups))
            return true;
        TakeListedSet(sets);
        g_setUserGroups.MoveNext();
        if (g_setUserGroups.IsEOF())
            return true;
        TakeListedSet(sets);
        g_setUserGroups.MoveNext();
        if (g_setUserGroups.IsEOF()) {
            Requery(g_setUserGroups);
            return true;
        }
        Requery(g_setUserGroups, QStringLiteral("Deleted = FALSE"), QStringLiteral("[CHSetName] ASC"));
        bool complete = true;
        for (bool row = MoveToFirstRow(g_setUserGroups); row && !g_setUserGroups.IsEOF(); g_setUserGroups.MoveNext()) {
            KeepNoAccessSuspended();
            if (g_setUserGroups.m_CHSetIndex >= kFirstIndexBeyond) {
                ShowMessageBox(QStringLiteral("You have exceeded the maximum number of cardholder sets - 63."));
                complete = false;
                break;
            }
            if (IsBuiltInName(g_setUserGroups.m_CHSetName))
                continue;
            TakeListedSet(sets);
        }
        Requery(g_setUserGroups);
        return complete;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool ListCardholders(const CardholderSetItem& set, std::vector<CardholderItem>& items)
{
    items.clear();
    bool complete = true;
    try {
        Requery(g_setUsers, Equals("CHSetIndex", set.index), QStringLiteral("[LastName],[FirstName]"));
        for (bool row = MoveToFirstRow(g_setUsers); row && !g_setUsers.IsEOF(); g_setUsers.MoveNext()) {
            const int image = ChooseImage(g_setUsers, set.suspended, set.index == kNoAccessSet);
            items.push_back({g_setUsers.m_UserID, TreeText(g_setUsers), image});
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        complete = false;
    }
    try {
        Requery(g_setUsers);
    } catch (const DatabaseException&) {
        // The listing's own error, if any, is the one shown.
    }
    return complete;
}

std::vector<CardholderSetItem> SetChoices()
{
    std::vector<CardholderSetItem> sets;
    try {
        Requery(g_setUserGroups);
        for (bool row = MoveToFirstRow(g_setUserGroups); row && !g_setUserGroups.IsEOF() && sets.size() < 2;
             g_setUserGroups.MoveNext())
            sets.push_back(CurrentSet());
        Requery(g_setUserGroups, QStringLiteral("Deleted = FALSE"), QStringLiteral("[CHSetName] ASC"));
        for (bool row = MoveToFirstRow(g_setUserGroups); row && !g_setUserGroups.IsEOF(); g_setUserGroups.MoveNext()) {
            if (!IsBuiltInName(g_setUserGroups.m_CHSetName))
                sets.push_back(CurrentSet());
        }
        Requery(g_setUserGroups);
    } catch (const DatabaseException& error) {
        ShowMessageBox(error.Description(), MbButtons::Ok, MbIcon::Exclamation);
    }
    return sets;
}

CardholderItem AddCardholder(std::uint8_t set)
{
    try {
        // The set is looked for first, so a refusal leaves no row behind.
        if (!FindSet(set)) {
            ShowMessageBox(QStringLiteral("Error finding cardholder set in database.\nSelect a cardholder set and try again."));
            return {};
        }
        const bool suspended = g_setUserGroups.m_Suspend;
        Requery(g_setUsers);
        if (!g_setUsers.FindFirst(QStringLiteral("Deleted = TRUE")) && !AppendUserRow())
            return {};
        g_setUsers.Edit();
        g_setUsers.m_CHSetIndex = set;
        g_setUsers.m_Deleted = false;
        g_setUsers.m_Active = !suspended;
        g_setUsers.Update();
        CardholderItem item{g_setUsers.m_UserID, TreeText(g_setUsers),
                            ChooseImage(g_setUsers, suspended, set == kNoAccessSet)};
        MarkDataToProgram();
        g_setUsers.Requery();
        return item;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return {};
    }
}

bool ReleaseCardholder(std::int32_t userId)
{
    try {
        Requery(g_setUsers);
        if (!g_setUsers.FindFirst(Equals("UserID", userId)))
            return false;
        ReleaseRows(g_setTransmitters, "UserID", userId, [](CSetTransmitters& r) {
            r.m_UserID = 0;
            r.m_Suspended = true;
            r.m_Lost = false;
        });
        ReleaseRows(g_setSingleXmtr, "UserIDSingle", userId, [](CSetSingleXmtr& r) {
            r.m_UserIDSingle = 0;
            r.m_SuspendedSingle = true;
            r.m_LostSingle = false;
            r.m_DeletedSingle = false;
        });
        ReleaseRows(g_setEntryCodes, "UserID", userId, [](CSetEntryCodes& r) {
            r.m_Suspended = true;
            r.m_Deleted = true;
            r.m_UserID = 0;
            r.m_CHSet = 0;
        });
        ReleaseRows(g_setPhoneEntries, "UserID", userId, [](CSetPhoneEntries& r) {
            r.m_UserID = 0;
            r.m_TenantName.clear();
            r.m_PhoneNumber.clear();
            r.m_ExtendedTalkTime = false;
        });
        ReleaseRows(g_setCards, "UserID", userId, [](CSetCards& r) {
            r.m_UserID = 0;
            r.m_Suspended = true;
            r.m_Lost = false;
        });
        ReleaseRows(g_setSingleCard, "UserIDSingle", userId, [](CSetSingleCard& r) {
            r.m_UserIDSingle = 0;
            r.m_SuspendedSingle = true;
            r.m_LostSingle = false;
            r.m_DeletedSingle = false;
        });
        if (!g_setUsers.FindFirst(Equals("UserID", userId)))
            return false;
        g_setUsers.Edit();
        ClearUserRow(g_setUsers);
        g_setUsers.Update();
        g_setUsers.Requery();
        return true;
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
        return false;
    }
}

int ToggleCardholder(std::int32_t userId, int image)
{
    int result = -1;
    try {
        Requery(g_setUsers, Equals("UserID", userId));
        if (MoveToFirstRow(g_setUsers)) {
            if (FindSet(g_setUsers.m_CHSetIndex) && g_setUserGroups.m_Suspend) {
                ShowMessageBox(QStringLiteral("Cannot activate a cardholder while the entire cardholder set is suspended."));
            } else {
                g_setUsers.Edit();
                result = image;
                if (image == CardholderImage::kActive) {
                    g_setUsers.m_Active = false;
                    result = CardholderImage::kSuspended;
                } else if (image == CardholderImage::kSuspended) {
                    g_setUsers.m_Active = true;
                    result = CardholderImage::kActive;
                }
                g_setUsers.Update();
                MarkDataToProgram();
            }
        }
        Requery(g_setUsers);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return result;
}

bool MoveCardholder(std::int32_t userId, std::uint8_t set)
{
    try {
        if (!FindSet(set))
            return false;
        Requery(g_setUsers);
        if (!g_setUsers.FindFirst(Equals("UserID", userId)))
            return false;
        g_setUsers.Edit();
        g_setUsers.m_CHSetIndex = set;
        g_setUsers.Update();
        return true;
    } catch (const DatabaseException& error) {
        ShowMessageBox(error.Description(), MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
}

std::uint8_t AddSet(CWFDoc& doc)
{
    try {
        const int count = CountSetRows();
        Requery(g_setUserGroups);
        const bool deletedRow = g_setUserGroups.FindFirst(QStringLiteral("Deleted = TRUE"));
        if (count >= kMaxSets && !deletedRow) {
            ShowMessageBox(QStringLiteral("You have reached the maximum number of cardholder sets which is 63."));
            return 0;
        }
        g_nNextCardholderSetIndex = static_cast<std::uint8_t>(doc.FindFreeCardholderSetIndex(static_cast<std::uint8_t>(count)));
        Requery(g_setUserGroups);
        if (g_setUserGroups.FindFirst(QStringLiteral("Deleted = TRUE"))) {
            g_setUserGroups.Edit();
        } else {
            g_setUserGroups.AddNew();
            g_setUserGroups.m_CHSetIndex = g_nNextCardholderSetIndex;
        }
        g_setUserGroups.m_CHSetName = QStringLiteral("New Cardholder set");
        g_setUserGroups.m_Description.clear();
        g_setUserGroups.m_Suspend = false;
        ClearGroupBytes(g_setUserGroups);
        g_setUserGroups.m_Deleted = false;
        g_setUserGroups.Update();
        g_setUserGroups.SetBookmark(g_setUserGroups.GetLastModifiedBookmark());
        return g_setUserGroups.m_CHSetIndex;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
}

bool CanDeleteSet(std::uint8_t set)
{
    if (set == kAllAccessSet) {
        ShowMessageBox(QStringLiteral("You cannot delete the \"All Access\" cardholder set."));
        return false;
    }
    if (set == kNoAccessSet) {
        ShowMessageBox(QStringLiteral("You cannot delete the \"No Access\" cardholder set."));
        return false;
    }
    try {
        Requery(g_setUsers);
        if (g_setUsers.FindFirst(Equals("CHSetIndex", set))) {
            ShowMessageBox(QStringLiteral("You must delete all cardholders in this cardholder set before the set can be deleted."));
            return false;
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    return true;
}

void DeleteSet(CWFDoc& doc, std::uint8_t set)
{
    try {
        if (!FindSet(set))
            return;
        doc.ClearCardholderSetRecord(set);
        g_setUserGroups.Edit();
        g_setUserGroups.m_CHSetName.clear();
        g_setUserGroups.m_Description.clear();
        g_setUserGroups.m_Suspend = false;
        ClearGroupBytes(g_setUserGroups);
        g_setUserGroups.m_Deleted = true;
        g_setUserGroups.Update();
        const int count = CountSetRows();
        g_nNextCardholderSetIndex = static_cast<std::uint8_t>(doc.FindFreeCardholderSetIndex(static_cast<std::uint8_t>(count)));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

bool SetSuspended(std::uint8_t set, bool suspend, int cardholders)
{
    if (cardholders == 0) {
        ShowMessageBox(QStringLiteral("No cardholders to suspend in this set."));
        return false;
    }
    try {
        if (!FindSet(set))
            return false;
        g_setUserGroups.Edit();
        g_setUserGroups.m_Suspend = suspend;
        g_setUserGroups.Update();
        WalkAllRows(g_setUsers, Equals("CHSetIndex", set), [suspend](CSetUsers& user) {
            user.Edit();
            user.m_Active = !suspend;
            user.Update();
        });
        Requery(g_setUserGroups);
        return true;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

} // namespace CardholderStore
