#include "database/CSetFloorNames.h"

#include "database/DatabaseFiles.h"

CSetFloorNames::CSetFloorNames()
    : CSetBase(DatabaseFiles::FloorNames)
{
}

QString CSetFloorNames::GetDefaultSQL() const
{
    return QStringLiteral("[FloorNames]");
}

void CSetFloorNames::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("Name ID"), m_Name_ID);
    fx.Byte(QStringLiteral("Index"), m_Index);
    fx.Text(QStringLiteral("Name"), m_Name);
    fx.Byte(QStringLiteral("Net"), m_Net);
    fx.Byte(QStringLiteral("Node"), m_Node);
    fx.Long(QStringLiteral("Sched"), m_Sched);
    fx.Long(QStringLiteral("Cab1"), m_Cab1);
    fx.Long(QStringLiteral("Cab2"), m_Cab2);
    fx.Long(QStringLiteral("Cab3"), m_Cab3);
    fx.Long(QStringLiteral("Cab4"), m_Cab4);
}
