#include "database/CSetEventLog.h"

#include "database/DatabaseFiles.h"

CSetEventLog::CSetEventLog()
    : CSetBase(DatabaseFiles::EventLog)
    , m_strDBFileName(QStringLiteral("/EventLog.mdb"))
{
}

QString CSetEventLog::GetDefaultDBName() const
{
    return m_strDBFolder + m_strDBFileName;
}

QString CSetEventLog::GetDefaultSQL() const
{
    return QStringLiteral("SELECT * FROM [Eventlog] ORDER BY Time DESC");
}

void CSetEventLog::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("LogID"), m_LogID);
    fx.DateTime(QStringLiteral("Time"), m_Time);
    fx.Byte(QStringLiteral("Type"), m_Type);
    fx.Byte(QStringLiteral("Id0"), m_Id0);
    fx.Byte(QStringLiteral("Id1"), m_Id1);
    fx.Byte(QStringLiteral("Id2"), m_Id2);
    fx.Byte(QStringLiteral("Id3"), m_Id3);
    fx.Byte(QStringLiteral("Mod"), m_Mod);
    fx.Byte(QStringLiteral("Ctx"), m_Ctx);
    fx.Byte(QStringLiteral("Ctx2"), m_Ctx2);
    fx.Byte(QStringLiteral("NetNode"), m_NetNode);
    fx.Long(QStringLiteral("UserID"), m_UserID);
    fx.Byte(QStringLiteral("Door"), m_Door);
    fx.Byte(QStringLiteral("Ctx3"), m_Ctx3);
    fx.Byte(QStringLiteral("Id4"), m_Id4);
    fx.Byte(QStringLiteral("Id5"), m_Id5);
    fx.Byte(QStringLiteral("Id6"), m_Id6);
}
