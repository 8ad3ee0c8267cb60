#include "database/CSetDoorValGroup.h"

#include "database/DatabaseFiles.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"

CSetDoorValGroup::CSetDoorValGroup()
    : CSetDoorValGroup(DatabaseFiles::DoorValidationGroups)
{
}

CSetDoorValGroup::CSetDoorValGroup(const char* fileName)
    : CSetBase(fileName)
{
}

QString CSetDoorValGroup::GetDefaultSQL() const
{
    return QStringLiteral("[ValidationGroups]");
}

void CSetDoorValGroup::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("ValidationGroupID"), m_ValidationGroupID);
    fx.Byte(QStringLiteral("ValidationGroupNumber"), m_ValidationGroupNumber);
    fx.Text(QStringLiteral("Name"), m_Name);
}

QString CSetDoorValGroup::AllAccessText() const
{
    return QStringLiteral("All Access");
}

void CSetDoorValGroup::FillGroupList(QStringList& list, bool notAssigned)
{
    try {
        if (IsBOF() && IsEOF())
            return;
        MoveFirst();
        list << (notAssigned ? QStringLiteral("Not assigned") : QStringLiteral("No access")) << AllAccessText();
        int row = 1;
        for (MoveNext(); !IsEOF(); MoveNext()) {
            ++row;
            list << (m_Name.isEmpty() ? QString::number(row) : m_Name);
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

bool CSetDoorValGroup::GetNextName(QString& name, bool fromFirst)
{
    try {
        if (fromFirst) {
            if (IsBOF() && IsEOF())
                return false;
            MoveFirst();
        }
        if (IsEOF())
            return false;
        name = m_Name;
        MoveNext();
        return !IsEOF();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}
