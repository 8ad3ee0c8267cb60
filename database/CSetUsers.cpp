#include "database/CSetUsers.h"

#include "database/DatabaseFiles.h"
#include "database/DatabaseErrors.h"
#include "platform/Clock.h"
#include "platform/DatabaseException.h"

CSetUsers::CSetUsers()
    : CSetBase(DatabaseFiles::Users)
{
}

QString CSetUsers::GetDefaultSQL() const
{
    return QStringLiteral("[Users]");
}

void CSetUsers::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("UserID"), m_UserID);
    fx.Text(QStringLiteral("FirstName"), m_FirstName);
    fx.Text(QStringLiteral("LastName"), m_LastName);
    fx.Text(QStringLiteral("MiddleName"), m_MiddleName);
    fx.Text(QStringLiteral("Street"), m_Street);
    fx.Text(QStringLiteral("City"), m_City);
    fx.Text(QStringLiteral("Zip"), m_Zip);
    fx.Text(QStringLiteral("State"), m_State);
    fx.Text(QStringLiteral("HomePhone"), m_HomePhone);
    fx.Text(QStringLiteral("WorkPhone"), m_WorkPhone);
    fx.Byte(QStringLiteral("LastEventLog"), m_LastEventLog);
    fx.DateTime(QStringLiteral("ExpirationDate"), m_ExpirationDate);
    fx.Bool(QStringLiteral("NeverExpiers"), m_NeverExpiers);
    fx.Bool(QStringLiteral("Active"), m_Active);
    fx.Bool(QStringLiteral("Deleted"), m_Deleted);
    fx.Bool(QStringLiteral("GotTransmitters"), m_GotTransmitters);
    fx.Bool(QStringLiteral("GotCards"), m_GotCards);
    fx.Bool(QStringLiteral("GotEntryCodes"), m_GotEntryCodes);
    fx.Bool(QStringLiteral("GotPhoneEntryNumbers"), m_GotPhoneEntryNumbers);
    fx.Text(QStringLiteral("CustomType1"), m_CustomType1);
    fx.Text(QStringLiteral("CustomType2"), m_CustomType2);
    fx.Text(QStringLiteral("CustomType3"), m_CustomType3);
    fx.Text(QStringLiteral("CustomType4"), m_CustomType4);
    fx.Byte(QStringLiteral("CHSetIndex"), m_CHSetIndex);
}

bool CSetUsers::FindByID(std::int32_t userID)
{
    if (IsOpen() && !IsBOF() && !IsEOF() && m_UserID == userID)
        return true;
    try {
        return FindFirst(QStringLiteral("UserID = %1").arg(userID));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

QString CSetUsers::GetDisplayName() const
{
    return DisplayName(m_LastName, m_FirstName);
}

QString CSetUsers::DisplayName(const QString& lastName, const QString& firstName)
{
    if (lastName.isEmpty())
        return firstName;
    return QStringLiteral("%1, %2").arg(lastName, firstName);
}

QString CSetUsers::GetLabel() const
{
    if (!m_LastName.isEmpty())
        return QStringLiteral("%1 %2 [%3]").arg(m_LastName, m_FirstName, QString::number(m_UserID));
    if (!m_FirstName.isEmpty())
        return QStringLiteral("%1 [%2]").arg(m_FirstName, QString::number(m_UserID));
    return QStringLiteral("<blank> [%1]").arg(m_UserID);
}

bool CSetUsers::IsExpired() const
{
    // The clock's local reading is dear; a holder who never expires needs none.
    if (m_NeverExpiers)
        return false;
    // Stored dates are wall-clock readings: compare them with the wall clock.
    const QDateTime local = Clock::Current().NowLocal();
    const QDateTime now(local.date(), local.time(), QTimeZone::utc());
    const QDateTime expires(m_ExpirationDate.date(), m_ExpirationDate.time(), QTimeZone::utc());
    return expires < now;
}

QString CSetUsers::GetStatusText() const
{
    if (IsExpired())
        return QStringLiteral("Expired");
    return m_Active ? QStringLiteral("Active") : QStringLiteral("Suspended");
}

QString CSetUsers::GetHomePhoneDigits() const
{
    QString digits;
    for (const QChar c : m_HomePhone)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    return digits;
}
