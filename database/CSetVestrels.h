#pragma once

#include "database/CSetBase.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// One row per controller node.
class CSetVestrels : public CSetBase
{
public:
    CSetVestrels();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    // The current row is tried first; finding moves the shared row.
    bool FindByID(std::int32_t vestrelID);
    bool FindByAddress(int net, int node);
    bool IsDoorInSchedule(int door, int schedule) const;
    QString GetDoorLabel(int door, bool withPrefix) const;
    QString GetNodeLabel() const;
    QString GetFileName() const { return m_FileName; }

    std::int32_t m_VestrelID = 0;
    QString m_VestrelName;
    std::uint8_t m_LastEventLog = 0;
    std::uint8_t m_LastMonitored = 0;
    std::uint8_t m_NodeAddress = 0;
    std::uint8_t m_DisplayMessageSet = 0;
    std::int32_t m_NodeID = 0;
    QString m_RelayAName;
    QString m_RelayBName;
    QString m_RelayCName;
    QString m_RelayDName;
    QString m_FileName;
    bool m_Keldara = false;
    std::uint8_t m_NetAddress = 0;
    bool m_EmergA = false;
    bool m_EmergB = false;
    bool m_EmergC = false;
    bool m_EmergD = false;
    std::int32_t m_DoorScheduleA = 0;
    std::int32_t m_DoorScheduleB = 0;
    std::int32_t m_DoorScheduleC = 0;
    std::int32_t m_DoorScheduleD = 0;
    std::int32_t m_Flags = 0;
    std::uint8_t m_PanelType = 0;
    std::int32_t m_FirmwareVersion = 0;
};
