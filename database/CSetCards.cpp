#include "database/CSetCards.h"

#include "database/DatabaseFiles.h"

CSetCards::CSetCards()
    : CSetBase(DatabaseFiles::Cards)
{
}

QString CSetCards::GetDefaultSQL() const
{
    return QStringLiteral("[Cards]");
}

void CSetCards::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("AutoNumIndex"), m_AutoNumIndex);
    fx.Double(QStringLiteral("CardID"), m_CardID);
    fx.Bool(QStringLiteral("Lost"), m_Lost);
    fx.Bool(QStringLiteral("Suspended"), m_Suspended);
    fx.Long(QStringLiteral("UserID"), m_UserID);
}
