#pragma once

#include "database/CSetBase.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Individual cards.
class CSetSingleCard : public CSetBase
{
public:
    CSetSingleCard();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;


    std::int32_t m_AutoNumIndexSingle = 0;
    double m_CardIDSingle = 0.0;
    bool m_DeletedSingle = false;
    std::uint8_t m_FacCode_Sel_A = 0;
    std::uint8_t m_FacCode_Sel_B = 0;
    std::uint8_t m_FacCode_Sel_C = 0;
    std::uint8_t m_FacCode_Sel_D = 0;
    bool m_LostSingle = false;
    bool m_SuspendedSingle = false;
    std::int32_t m_UserIDSingle = 0;
};
