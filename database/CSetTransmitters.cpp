#include "database/CSetTransmitters.h"

#include "database/DatabaseFiles.h"

CSetTransmitters::CSetTransmitters()
    : CSetBase(DatabaseFiles::Transmitters)
{
}

QString CSetTransmitters::GetDefaultSQL() const
{
    return QStringLiteral("[Transmitters]");
}

void CSetTransmitters::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("AutoNumIndex"), m_AutoNumIndex);
    fx.Bool(QStringLiteral("Lost"), m_Lost);
    fx.Bool(QStringLiteral("Suspended"), m_Suspended);
    fx.Long(QStringLiteral("UserID"), m_UserID);
    fx.Double(QStringLiteral("XmtrID"), m_XmtrID);
}
