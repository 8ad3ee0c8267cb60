#pragma once

#include "database/CSetBase.h"
#include "platform/OleDate.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Event types of the stored rows.
namespace EventType
{
inline constexpr std::uint8_t NotSupported = 1;
inline constexpr std::uint8_t ObstacleXmtr = 2;
inline constexpr std::uint8_t ProgramMode = 3;
inline constexpr std::uint8_t Access = 4;
inline constexpr std::uint8_t Locked = 5;
inline constexpr std::uint8_t Unlocked = 6;
inline constexpr std::uint8_t OpenRequest = 7;
inline constexpr std::uint8_t SystemError = 8;
inline constexpr std::uint8_t TimeZone = 9;
inline constexpr std::uint8_t PanelAlarm = 10;
inline constexpr std::uint8_t Phone = 11;
inline constexpr std::uint8_t PriorityDialIn = 12;
inline constexpr std::uint8_t NetworkCommand = 13;
inline constexpr std::uint8_t InvalidCredential = 14;
inline constexpr std::uint8_t TimeSet = 15;
inline constexpr std::uint8_t Tamper = 16;
inline constexpr std::uint8_t Screen = 17;
inline constexpr std::uint8_t AntiPassbackViolation = 18;
inline constexpr std::uint8_t AntiPassbackStatus = 19;
inline constexpr std::uint8_t PriorityClose = 20;
inline constexpr std::uint8_t PriorityOpen = 21;
inline constexpr std::uint8_t ModuleRelays = 22;
inline constexpr std::uint8_t Connection = 23;
} // namespace EventType

// Door field: the source in the low nibble, access denied in bit 4.
namespace EventSource
{
inline constexpr std::uint8_t Mask = 0x0F;
inline constexpr std::uint8_t FirstDoor = 1;
inline constexpr std::uint8_t LastDoor = 4;
inline constexpr std::uint8_t Node = 5;
inline constexpr std::uint8_t Network = 6;
inline constexpr std::uint8_t Host = 7;
inline constexpr std::uint8_t AccessDenied = 0x10;
} // namespace EventSource

// One row per stored panel or host event. The same class opens an archived
// log when m_strDBFolder and m_strDBFileName name its folder and file.
class CSetEventLog : public CSetBase
{
public:
    CSetEventLog();

    QString GetDefaultDBName() const override;
    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    // Appends one row holding exactly these values, in one insert, and makes
    // it current. Errors are shown, never passed on: the result is always TRUE.
    bool AddEvent(std::uint8_t type, std::uint8_t id0, std::uint8_t id1, std::uint8_t id2, std::uint8_t id3,
                  std::uint8_t mod, std::uint8_t ctx, std::uint8_t ctx2, std::uint8_t netNode, std::int32_t userID,
                  std::uint8_t door, const QDateTime& time);

    // The four column texts of the current row. The modifier and event texts
    // that the row's type does not set keep what the caller passed. Moves the
    // program-wide controllers, networks, cardholders and entry codes.
    void GetColumnText(QString& timeText, QString& doorText, QString& modifierText, QString& eventText);
    void GetDescription(QString& modifierText, QString& eventText);
    // The keypad digits of Id0..Id3: leading 0xF nibbles left out, the last
    // nibble always written.
    QString GetEntryCodeText() const;
    // Id0..Id4 as one 40-bit number, Id0 the most significant byte.
    std::uint64_t GetCredentialNumber() const;

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
