#pragma once

#include "database/CSetBase.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Cards taken from card blocks that are in use.
class CSetCards : public CSetBase
{
public:
    CSetCards();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;


    std::int32_t m_AutoNumIndex = 0;
    double m_CardID = 0.0;
    bool m_Lost = false;
    bool m_Suspended = false;
    std::int32_t m_UserID = 0;
};
