#pragma once

#include "database/CSetBase.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// The stored network commands; the installation document holds its own.
class CSetNetCommands : public CSetBase
{
public:
    CSetNetCommands();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;


    std::int32_t m_NetCommandID = 0;
    QString m_FileName;
    std::uint8_t m_Net = 0;
    std::uint8_t m_Node = 0;
    std::uint8_t m_Priority = 0;
};
