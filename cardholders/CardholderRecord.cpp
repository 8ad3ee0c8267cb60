#include "cardholders/CardholderRecord.h"

#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"

#include <QTime>
#include <QTimeZone>

namespace {

bool FindUser(std::int32_t userId)
{
    g_setUsers.m_strFilter.clear();
    g_setUsers.m_strSort.clear();
    g_setUsers.Requery();
    return g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(userId));
}

} // namespace

QString CardholderRecord::TypedTreeText() const
{
    // The tree reads the same while a name is typed as after a reload.
    return CSetUsers::DisplayName(lastName, firstName);
}

bool CardholderRecord::Load(std::int32_t userId)
{
    try {
        if (!FindUser(userId))
            return false;
        const CSetUsers& u = g_setUsers;
        firstName = u.m_FirstName;
        middleName = u.m_MiddleName;
        lastName = u.m_LastName;
        street = u.m_Street;
        city = u.m_City;
        state = u.m_State;
        zip = u.m_Zip;
        homePhone = u.m_HomePhone;
        workPhone = u.m_WorkPhone;
        custom = {u.m_CustomType1, u.m_CustomType2, u.m_CustomType3, u.m_CustomType4};
        neverExpires = u.m_NeverExpiers;
        expiration = u.m_ExpirationDate.date();
        got = {u.m_GotTransmitters, u.m_GotCards, u.m_GotPhoneEntryNumbers, u.m_GotEntryCodes};
        setIndex = u.m_CHSetIndex;
        expired = u.IsExpired();
        g_setUsers.Requery();
        return true;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool CardholderRecord::Save(std::int32_t userId) const
{
    try {
        if (!FindUser(userId))
            return false;
        if (g_setUsers.m_Deleted)
            return true;
        CSetUsers& u = g_setUsers;
        u.Edit();
        u.m_Zip = zip;
        u.m_City = city;
        u.m_FirstName = firstName;
        u.m_MiddleName = middleName;
        u.m_LastName = lastName;
        u.m_HomePhone = homePhone;
        u.m_WorkPhone = workPhone;
        u.m_State = state;
        u.m_Street = street;
        u.m_CustomType1 = custom[0];
        u.m_CustomType2 = custom[1];
        u.m_CustomType3 = custom[2];
        u.m_CustomType4 = custom[3];
        u.m_GotTransmitters = got[Transmitters];
        u.m_GotCards = got[Cards];
        u.m_GotPhoneEntryNumbers = got[DirectoryCodes];
        u.m_GotEntryCodes = got[EntryCodes];
        bool mark = u.m_NeverExpiers != neverExpires;
        u.m_NeverExpiers = neverExpires;
        // The form shows the day only: a stored time of day stays until the day changes.
        if (!neverExpires && expiration.isValid() && expiration != u.m_ExpirationDate.date()) {
            u.m_ExpirationDate = QDateTime(expiration, QTime(0, 0), QTimeZone::utc());
            mark = true;
        }
        u.Update();
        g_setUsers.Requery();
        if (mark)
            MarkDataToProgram();
        return true;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}
