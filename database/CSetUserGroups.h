#pragma once

#include "database/CSetBase.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// One row per cardholder set, keyed by CHSetIndex.
class CSetUserGroups : public CSetBase
{
public:
    CSetUserGroups();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    // The name of the set with the index (the shared row moves); empty
    // when there is none.
    QString GetSetName(int chSetIndex);
    QString GetSetLabel() const;

    QString m_Description;
    bool m_Suspend = false;
    QString m_CHSetName;
    std::uint8_t m_DoorVG1 = 0;
    std::uint8_t m_DoorVG2 = 0;
    std::uint8_t m_DoorVG3 = 0;
    std::uint8_t m_DoorVG4 = 0;
    std::uint8_t m_FloorVG1 = 0;
    std::uint8_t m_FloorVG2 = 0;
    std::uint8_t m_FloorVG3 = 0;
    std::uint8_t m_FloorVG4 = 0;
    std::uint8_t m_TimeZone1 = 0;
    std::uint8_t m_TimeZone2 = 0;
    std::uint8_t m_TimeZone3 = 0;
    std::uint8_t m_TimeZone4 = 0;
    std::int32_t m_CHSetID = 0;
    std::uint8_t m_CHSetIndex = 0;
    bool m_Deleted = false;
};
