#pragma once

#include "database/CSetBase.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// The floor names of the elevator cabs.
class CSetFloorNames : public CSetBase
{
public:
    CSetFloorNames();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;


    std::int32_t m_Name_ID = 0;
    std::uint8_t m_Index = 0;
    QString m_Name;
    std::uint8_t m_Net = 1;
    std::uint8_t m_Node = 1;
    std::int32_t m_Sched = 0;
    std::int32_t m_Cab1 = 0;
    std::int32_t m_Cab2 = 0;
    std::int32_t m_Cab3 = 0;
    std::int32_t m_Cab4 = 0;
};
