#pragma once

#include "database/CSetBase.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Transmitters taken from transmitter blocks that are in use.
class CSetTransmitters : public CSetBase
{
public:
    CSetTransmitters();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;


    std::int32_t m_AutoNumIndex = 0;
    bool m_Lost = false;
    bool m_Suspended = false;
    std::int32_t m_UserID = 0;
    double m_XmtrID = 0.0;
};
