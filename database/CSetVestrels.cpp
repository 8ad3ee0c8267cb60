#include "database/CSetVestrels.h"

#include "database/DatabaseFiles.h"
#include "database/DatabaseErrors.h"
#include "database/NetworkLetter.h"
#include "platform/DatabaseException.h"

CSetVestrels::CSetVestrels()
    : CSetBase(DatabaseFiles::Vestrels)
{
}

QString CSetVestrels::GetDefaultSQL() const
{
    return QStringLiteral("[Vestrels]");
}

void CSetVestrels::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("VestrelID"), m_VestrelID);
    fx.Text(QStringLiteral("VestrelName"), m_VestrelName);
    fx.Byte(QStringLiteral("LastEventLog"), m_LastEventLog);
    fx.Byte(QStringLiteral("LastMonitored"), m_LastMonitored);
    fx.Byte(QStringLiteral("NodeAddress"), m_NodeAddress);
    fx.Byte(QStringLiteral("DisplayMessageSet"), m_DisplayMessageSet);
    fx.Long(QStringLiteral("NodeID"), m_NodeID);
    fx.Text(QStringLiteral("RelayAName"), m_RelayAName);
    fx.Text(QStringLiteral("RelayBName"), m_RelayBName);
    fx.Text(QStringLiteral("RelayCName"), m_RelayCName);
    fx.Text(QStringLiteral("RelayDName"), m_RelayDName);
    fx.Text(QStringLiteral("FileName"), m_FileName);
    fx.Bool(QStringLiteral("Keldara"), m_Keldara);
    fx.Byte(QStringLiteral("NetAddress"), m_NetAddress);
    fx.Bool(QStringLiteral("EmergA"), m_EmergA);
    fx.Bool(QStringLiteral("EmergB"), m_EmergB);
    fx.Bool(QStringLiteral("EmergC"), m_EmergC);
    fx.Bool(QStringLiteral("EmergD"), m_EmergD);
    fx.Long(QStringLiteral("DoorScheduleA"), m_DoorScheduleA);
    fx.Long(QStringLiteral("DoorScheduleB"), m_DoorScheduleB);
    fx.Long(QStringLiteral("DoorScheduleC"), m_DoorScheduleC);
    fx.Long(QStringLiteral("DoorScheduleD"), m_DoorScheduleD);
    fx.Long(QStringLiteral("Flags"), m_Flags);
    fx.Byte(QStringLiteral("PanelType"), m_PanelType);
    fx.Long(QStringLiteral("FirmwareVersion"), m_FirmwareVersion);
}

namespace
{
constexpr int kFirstDoor = 1;
constexpr int kLastDoor = 4;
constexpr int kScheduleBits = 32;

bool IsDoor(int door) { return door >= kFirstDoor && door <= kLastDoor; }
} // namespace

bool CSetVestrels::FindByID(std::int32_t vestrelID)
{
    if (IsOpen() && !IsBOF() && !IsEOF() && m_VestrelID == vestrelID)
        return true;
    try {
        return FindFirst(QStringLiteral("VestrelID = %1").arg(vestrelID));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool CSetVestrels::FindByAddress(int net, int node)
{
    if (IsOpen() && !IsBOF() && !IsEOF() && m_NetAddress == net && m_NodeAddress == node)
        return true;
    try {
        return FindFirst(QStringLiteral("NetAddress = %1 AND NodeAddress = %2").arg(net).arg(node));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool CSetVestrels::IsDoorInSchedule(int door, int schedule) const
{
    if (!IsDoor(door) || schedule < 1 || schedule > kScheduleBits)
        return false;
    const std::int32_t masks[] = {m_DoorScheduleA, m_DoorScheduleB, m_DoorScheduleC, m_DoorScheduleD};
    return (static_cast<std::uint32_t>(masks[door - kFirstDoor]) >> (schedule - 1)) & 1U;
}

QString CSetVestrels::GetDoorLabel(int door, bool withPrefix) const
{
    QString label;
    if (withPrefix)
        label = QStringLiteral("[%1%2%3] ")
                    .arg(NetworkLetter(m_NetAddress))
                    .arg(m_NodeAddress)
                    .arg(QChar(kLetterBase + door));
    if (!IsDoor(door))
        return label;
    const QString* names[] = {&m_RelayAName, &m_RelayBName, &m_RelayCName, &m_RelayDName};
    return label + *names[door - kFirstDoor];
}

QString CSetVestrels::GetNodeLabel() const
{
    return QStringLiteral("[%1%2]  %3").arg(NetworkLetter(m_NetAddress), QString::number(m_NodeAddress), m_VestrelName);
}
