#include "database/CSetVLNetworks.h"

#include "database/DatabaseFiles.h"
#include "database/DatabaseErrors.h"
#include "database/NetworkLetter.h"
#include "platform/DatabaseException.h"

CSetVLNetworks::CSetVLNetworks()
    : CSetVLNetworks(DatabaseFiles::NetworkNodes)
{
}

CSetVLNetworks::CSetVLNetworks(const char* fileName)
    : CSetBase(fileName)
{
}

QString CSetVLNetworks::GetDefaultSQL() const
{
    return QStringLiteral("SELECT * FROM [NetworkNodes] ORDER BY Net");
}

void CSetVLNetworks::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("NodeID"), m_NodeID);
    fx.Text(QStringLiteral("PhoneNo"), m_PhoneNo);
    fx.Byte(QStringLiteral("Net"), m_Net);
    fx.Text(QStringLiteral("Password"), m_Password);
    fx.Bool(QStringLiteral("Active"), m_Active);
    fx.Text(QStringLiteral("AreaCode"), m_AreaCode);
    fx.Long(QStringLiteral("CountryID"), m_CountryID);
    fx.Byte(QStringLiteral("ConnectUsing"), m_ConnectUsing);
    fx.Bool(QStringLiteral("CountryAndAreaCode"), m_CountryAndAreaCode);
    fx.Text(QStringLiteral("strCountyCode"), m_strCountyCode);
    fx.Bool(QStringLiteral("DaylightSavings"), m_DaylightSavings);
    fx.Short(QStringLiteral("HoursOffset"), m_HoursOffset);
    fx.Text(QStringLiteral("NetName"), m_NetName);
}

QString CSetVLNetworks::GetNetLabel(int net)
{
    if (net != 0 && net != m_Net) {
        try {
            if (!FindFirst(QStringLiteral("Net = %1").arg(net)))
                return QStringLiteral("Net not found");
        } catch (const DatabaseException& error) {
            ShowDatabaseError(error);
        }
    }
    return QStringLiteral("[%1] %2").arg(NetworkLetter(m_Net), m_NetName);
}

bool CSetVLNetworks::FindByNodeID(std::int32_t nodeID)
{
    try {
        return FindFirst(QStringLiteral("NodeID = %1").arg(nodeID));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}
