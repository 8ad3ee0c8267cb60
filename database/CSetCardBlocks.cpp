#include "database/CSetCardBlocks.h"

#include "database/DatabaseFiles.h"
#include "database/BlockSearch.h"

CSetCardBlocks::CSetCardBlocks()
    : CSetBase(DatabaseFiles::Cards)
{
}

QString CSetCardBlocks::GetDefaultSQL() const
{
    return QStringLiteral("[CardBlocks]");
}

void CSetCardBlocks::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("AutoNumIndex"), m_AutoNumIndex);
    fx.Double(QStringLiteral("BlockBegin"), m_BlockBegin);
    fx.Double(QStringLiteral("BlockEnd"), m_BlockEnd);
    fx.Text(QStringLiteral("BlockName"), m_BlockName);
    fx.Bool(QStringLiteral("Deleted"), m_Deleted);
    fx.Byte(QStringLiteral("FacCode Sel A"), m_FacCode_Sel_A);
    fx.Byte(QStringLiteral("FacCode Sel B"), m_FacCode_Sel_B);
    fx.Byte(QStringLiteral("FacCode Sel C"), m_FacCode_Sel_C);
    fx.Byte(QStringLiteral("FacCode Sel D"), m_FacCode_Sel_D);
}

bool CSetCardBlocks::FindBlockContaining(double number)
{
    return ::FindBlockContaining(*this, number);
}

void CSetCardBlocks::OpenFiltered(const QString& filter)
{
    m_strFilter = filter;
    OpenOrRequery(*this);
}

void CSetCardBlocks::OpenSorted(const QString& sort)
{
    m_strSort = sort;
    OpenOrRequery(*this);
}
