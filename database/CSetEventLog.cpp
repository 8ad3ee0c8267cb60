#include "database/CSetEventLog.h"

#include "database/DatabaseErrors.h"
#include "database/DatabaseFiles.h"
#include "platform/DatabaseException.h"

#include <new>

namespace
{
constexpr int kCodeNibbles = 8;
constexpr std::uint8_t kNoDigit = 0x0F;
} // namespace

CSetEventLog::CSetEventLog()
    : CSetBase(DatabaseFiles::EventLog)
    , m_strDBFileName(QStringLiteral("/EventLog.mdb"))
{
}

QString CSetEventLog::GetDefaultDBName() const
{
    return m_strDBFolder + m_strDBFileName;
}

QString CSetEventLog::GetDefaultSQL() const
{
    return QStringLiteral("SELECT * FROM [Eventlog] ORDER BY Time DESC");
}

void CSetEventLog::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("LogID"), m_LogID);
    fx.DateTime(QStringLiteral("Time"), m_Time);
    fx.Byte(QStringLiteral("Type"), m_Type);
    fx.Byte(QStringLiteral("Id0"), m_Id0);
    fx.Byte(QStringLiteral("Id1"), m_Id1);
    fx.Byte(QStringLiteral("Id2"), m_Id2);
    fx.Byte(QStringLiteral("Id3"), m_Id3);
    fx.Byte(QStringLiteral("Mod"), m_Mod);
    fx.Byte(QStringLiteral("Ctx"), m_Ctx);
    fx.Byte(QStringLiteral("Ctx2"), m_Ctx2);
    fx.Byte(QStringLiteral("NetNode"), m_NetNode);
    fx.Long(QStringLiteral("UserID"), m_UserID);
    fx.Byte(QStringLiteral("Door"), m_Door);
    fx.Byte(QStringLiteral("Ctx3"), m_Ctx3);
    fx.Byte(QStringLiteral("Id4"), m_Id4);
    fx.Byte(QStringLiteral("Id5"), m_Id5);
    fx.Byte(QStringLiteral("Id6"), m_Id6);
}

bool CSetEventLog::AddEvent(std::uint8_t type, std::uint8_t id0, std::uint8_t id1, std::uint8_t id2, std::uint8_t id3,
                            std::uint8_t mod, std::uint8_t ctx, std::uint8_t ctx2, std::uint8_t netNode,
                            std::int32_t userID, std::uint8_t door, const QDateTime& time)
{
    try {
        // The row is written whole: a blank row edited afterwards would stay
        // behind, blank, when the edit fails.
        AddNew();
        m_NetNode = netNode;
        m_Time = time;
        m_Id0 = id0;
        m_Id1 = id1;
        m_Id2 = id2;
        m_Id3 = id3;
        m_Ctx = ctx;
        m_Ctx2 = ctx2;
        m_Type = type;
        m_Mod = mod;
        m_UserID = userID;
        m_Door = door;
        try {
            Update();
        } catch (...) {
            CancelUpdate();
            throw;
        }
        SetBookmark(GetLastModifiedBookmark());
        Requery();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    } catch (const std::bad_alloc&) {
        ShowMemoryExceptionReport();
    }
    return true;
}

QString CSetEventLog::GetEntryCodeText() const
{
    const std::uint8_t bytes[] = {m_Id0, m_Id1, m_Id2, m_Id3};
    QString text;
    for (int i = 0; i < kCodeNibbles; ++i) {
        const std::uint8_t byte = bytes[i / 2];
        const std::uint8_t nibble = (i % 2 == 0) ? byte >> 4 : byte & 0x0F;
        const bool last = i == kCodeNibbles - 1;
        if (text.isEmpty() && nibble == kNoDigit && !last)
            continue;
        text += QChar(u'0' + nibble);
    }
    return text;
}

std::uint64_t CSetEventLog::GetCredentialNumber() const
{
    return (std::uint64_t(m_Id0) << 32) | (std::uint64_t(m_Id1) << 24) | (std::uint64_t(m_Id2) << 16)
           | (std::uint64_t(m_Id3) << 8) | std::uint64_t(m_Id4);
}
