#include "database/CSetNetCommands.h"

#include "database/DatabaseFiles.h"

CSetNetCommands::CSetNetCommands()
    : CSetBase(DatabaseFiles::NetCommands)
{
}

QString CSetNetCommands::GetDefaultSQL() const
{
    return QStringLiteral("[NetCommands]");
}

void CSetNetCommands::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("NetCommandID"), m_NetCommandID);
    fx.Text(QStringLiteral("FileName"), m_FileName);
    fx.Byte(QStringLiteral("Net"), m_Net);
    fx.Byte(QStringLiteral("Node"), m_Node);
    fx.Byte(QStringLiteral("Priority"), m_Priority);
}
