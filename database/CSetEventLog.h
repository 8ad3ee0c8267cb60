#pragma once

#include "database/CSetBase.h"
#include "platform/OleDate.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// One row per stored panel or host event. The same class opens an archived
// log when m_strDBFolder and m_strDBFileName name its folder and file.
class CSetEventLog : public CSetBase
{
public:
    CSetEventLog();

    QString GetDefaultDBName() const override;
    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;


    // The file below m_strDBFolder: an archived log is opened by naming it here.
    QString m_strDBFileName;

    std::int32_t m_LogID = 0;
    QDateTime m_Time = FromOleDate(0.0);
    std::uint8_t m_Type = 0;
    std::uint8_t m_Id0 = 0;
    std::uint8_t m_Id1 = 0;
    std::uint8_t m_Id2 = 0;
    std::uint8_t m_Id3 = 0;
    std::uint8_t m_Mod = 0;
    std::uint8_t m_Ctx = 0;
    std::uint8_t m_Ctx2 = 0;
    std::uint8_t m_NetNode = 0;
    std::int32_t m_UserID = 0;
    std::uint8_t m_Door = 0;
    std::uint8_t m_Ctx3 = 0;
    std::uint8_t m_Id4 = 0;
    std::uint8_t m_Id5 = 0;
    std::uint8_t m_Id6 = 0;
};
