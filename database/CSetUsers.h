#pragma once

#include "database/CSetBase.h"
#include "platform/OleDate.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// One row per cardholder.
class CSetUsers : public CSetBase
{
public:
    CSetUsers();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    // The current row is tried first; finding moves the shared row.
    bool FindByID(std::int32_t userID);
    QString GetDisplayName() const;
    // "Last, First", or the first name alone when there is no last name.
    static QString DisplayName(const QString& lastName, const QString& firstName);
    QString GetLabel() const;
    // The row's expiration has passed at the clock's present time.
    bool IsExpired() const;
    // "Expired", "Active" or "Suspended" at the clock's present time.
    QString GetStatusText() const;
    QString GetHomePhoneDigits() const;

    std::int32_t m_UserID = 0;
    QString m_FirstName;
    QString m_LastName;
    QString m_MiddleName;
    QString m_Street;
    QString m_City;
    QString m_Zip;
    QString m_State;
    QString m_HomePhone;
    QString m_WorkPhone;
    std::uint8_t m_LastEventLog = 0;
    QDateTime m_ExpirationDate = FromOleDate(0.0);
    bool m_NeverExpiers = false;
    bool m_Active = false;
    bool m_Deleted = false;
    bool m_GotTransmitters = false;
    bool m_GotCards = false;
    bool m_GotEntryCodes = false;
    bool m_GotPhoneEntryNumbers = false;
    QString m_CustomType1;
    QString m_CustomType2;
    QString m_CustomType3;
    QString m_CustomType4;
    std::uint8_t m_CHSetIndex = 0;
};
