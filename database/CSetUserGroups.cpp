#include "database/CSetUserGroups.h"

#include "database/DatabaseFiles.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"

CSetUserGroups::CSetUserGroups()
    : CSetBase(DatabaseFiles::Users)
{
}

QString CSetUserGroups::GetDefaultSQL() const
{
    return QStringLiteral("[UserGroups]");
}

void CSetUserGroups::DoFieldExchange(FieldExchange& fx)
{
    fx.Text(QStringLiteral("Description"), m_Description);
    fx.Bool(QStringLiteral("Suspend"), m_Suspend);
    fx.Text(QStringLiteral("CHSetName"), m_CHSetName);
    fx.Byte(QStringLiteral("DoorVG1"), m_DoorVG1);
    fx.Byte(QStringLiteral("DoorVG2"), m_DoorVG2);
    fx.Byte(QStringLiteral("DoorVG3"), m_DoorVG3);
    fx.Byte(QStringLiteral("DoorVG4"), m_DoorVG4);
    fx.Byte(QStringLiteral("FloorVG1"), m_FloorVG1);
    fx.Byte(QStringLiteral("FloorVG2"), m_FloorVG2);
    fx.Byte(QStringLiteral("FloorVG3"), m_FloorVG3);
    fx.Byte(QStringLiteral("FloorVG4"), m_FloorVG4);
    fx.Byte(QStringLiteral("TimeZone1"), m_TimeZone1);
    fx.Byte(QStringLiteral("TimeZone2"), m_TimeZone2);
    fx.Byte(QStringLiteral("TimeZone3"), m_TimeZone3);
    fx.Byte(QStringLiteral("TimeZone4"), m_TimeZone4);
    fx.Long(QStringLiteral("CHSetID"), m_CHSetID);
    fx.Byte(QStringLiteral("CHSetIndex"), m_CHSetIndex);
    fx.Bool(QStringLiteral("Deleted"), m_Deleted);
}

QString CSetUserGroups::GetSetName(int chSetIndex)
{
    try {
        if (FindFirst(QStringLiteral("CHSetIndex = %1").arg(chSetIndex)))
            return m_CHSetName;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return {};
}

QString CSetUserGroups::GetSetLabel() const
{
    return QStringLiteral("%1 [%2]").arg(m_CHSetName, QString::number(m_CHSetIndex));
}
