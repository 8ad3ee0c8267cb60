#include "database/CSetFloorValGroup.h"

#include "database/DatabaseFiles.h"

CSetFloorValGroup::CSetFloorValGroup()
    : CSetDoorValGroup(DatabaseFiles::FloorValidationGroups)
{
}

QString CSetFloorValGroup::AllAccessText() const
{
    return QStringLiteral("All access");
}
