#include "database/CSetTransmitterBlocks.h"

#include "database/DatabaseFiles.h"
#include "database/BlockSearch.h"

CSetTransmitterBlocks::CSetTransmitterBlocks()
    : CSetBase(DatabaseFiles::Transmitters)
{
}

QString CSetTransmitterBlocks::GetDefaultSQL() const
{
    return QStringLiteral("[TransmitterBlocks]");
}

void CSetTransmitterBlocks::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("AutoNumIndex"), m_AutoNumIndex);
    fx.Double(QStringLiteral("BlockBegin"), m_BlockBegin);
    fx.Double(QStringLiteral("BlockEnd"), m_BlockEnd);
    fx.Text(QStringLiteral("BlockName"), m_BlockName);
    fx.Bool(QStringLiteral("Deleted"), m_Deleted);
    fx.Bool(QStringLiteral("Dirty"), m_Dirty);
    fx.Byte(QStringLiteral("FacCode Sel A"), m_FacCode_Sel_A);
    fx.Byte(QStringLiteral("FacCode Sel B"), m_FacCode_Sel_B);
    fx.Byte(QStringLiteral("FacCode Sel C"), m_FacCode_Sel_C);
    fx.Byte(QStringLiteral("FacCode Sel D"), m_FacCode_Sel_D);
}

bool CSetTransmitterBlocks::FindBlockContaining(double number)
{
    return ::FindBlockContaining(*this, number);
}

void CSetTransmitterBlocks::OpenFiltered(const QString& filter)
{
    m_strFilter = filter;
    OpenOrRequery(*this);
}

void CSetTransmitterBlocks::OpenSorted(const QString& sort)
{
    m_strSort = sort;
    OpenOrRequery(*this);
}
