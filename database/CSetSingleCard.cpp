#include "database/CSetSingleCard.h"

#include "database/DatabaseFiles.h"

CSetSingleCard::CSetSingleCard()
    : CSetBase(DatabaseFiles::Cards)
{
}

QString CSetSingleCard::GetDefaultSQL() const
{
    return QStringLiteral("[CardsSingle]");
}

void CSetSingleCard::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("AutoNumIndexSingle"), m_AutoNumIndexSingle);
    fx.Double(QStringLiteral("CardIDSingle"), m_CardIDSingle);
    fx.Bool(QStringLiteral("DeletedSingle"), m_DeletedSingle);
    fx.Byte(QStringLiteral("FacCode Sel A"), m_FacCode_Sel_A);
    fx.Byte(QStringLiteral("FacCode Sel B"), m_FacCode_Sel_B);
    fx.Byte(QStringLiteral("FacCode Sel C"), m_FacCode_Sel_C);
    fx.Byte(QStringLiteral("FacCode Sel D"), m_FacCode_Sel_D);
    fx.Bool(QStringLiteral("LostSingle"), m_LostSingle);
    fx.Bool(QStringLiteral("SuspendedSingle"), m_SuspendedSingle);
    fx.Long(QStringLiteral("UserIDSingle"), m_UserIDSingle);
}
