#include "cardholders/EntryCodeListing.h"

#include "cardholders/CredentialList.h"
#include "cardholders/CredentialTables.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"

#include <optional>
#include <unordered_map>

namespace EntryCodeListing {

namespace {

struct Holder
{
    QString name;
    QString set;
    std::uint8_t setIndex = 0;
};

// Each holder is looked up once per fill.
class Holders
{
public:
    Holders() : m_users(g_setUsers, {}, {}), m_sets(g_setUserGroups, {}, {}) {}

    const std::optional<Holder>& Of(std::int32_t userId)
    {
        auto found = m_known.find(userId);
        if (found != m_known.end())
            return found->second;
        std::optional<Holder> holder;
        if (g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(userId)))
            holder = Holder{g_setUsers.GetDisplayName(), g_setUserGroups.GetSetName(g_setUsers.m_CHSetIndex),
                            g_setUsers.m_CHSetIndex};
        return m_known.emplace(userId, holder).first->second;
    }

private:
    FilterScope m_users;
    FilterScope m_sets;
    std::unordered_map<std::int32_t, std::optional<Holder>> m_known;
};

} // namespace

std::vector<Row> ListEntryCodes()
{
    std::vector<Row> rows;
    try {
        Holders holders;
        // Hidden is stored as -1, so hidden codes sort first.
        WalkSorted(g_setEntryCodes, QStringLiteral("Deleted = False"), QStringLiteral("[Hidden], [EntryCodeID]"),
                   [&](CSetEntryCodes& code) {
                       const bool suspended = code.m_Suspended;
                       Row row{code.GetDisplayCode(),
                               QStringLiteral("-"),
                               QStringLiteral("All Access"),
                               suspended ? QStringLiteral("Suspended") : QStringLiteral("Enabled"),
                               suspended ? CredentialList::kSuspendedImage : CredentialList::kEnabledImage,
                               code.m_EntryCodeID};
                       if (const std::optional<Holder>& holder = holders.Of(code.m_UserID)) {
                           row.holder = holder->name;
                           row.set = holder->set;
                           if (code.m_CHSet != holder->setIndex) {
                               code.Edit();
                               code.m_CHSet = holder->setIndex;
                               code.Update();
                           }
                       }
                       rows.push_back(row);
                   });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return rows;
}

} // namespace EntryCodeListing
