#pragma once

#include "database/CSetBase.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// One row per network.
class CSetVLNetworks : public CSetBase
{
public:
    CSetVLNetworks();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    // "[A] name" of the network; 0 or the current row's network uses the
    // current row, any other finds it and moves the shared row.
    QString GetNetLabel(int net);
    bool FindByNodeID(std::int32_t nodeID);

protected:
    explicit CSetVLNetworks(const char* fileName);

public:
    std::int32_t m_NodeID = 0;
    QString m_PhoneNo;
    std::uint8_t m_Net = 0;
    QString m_Password;
    bool m_Active = false;
    QString m_AreaCode;
    std::int32_t m_CountryID = 0;
    std::uint8_t m_ConnectUsing = 0;
    bool m_CountryAndAreaCode = false;
    QString m_strCountyCode;
    bool m_DaylightSavings = false;
    std::int16_t m_HoursOffset = 0;
    QString m_NetName;
};
