#include "cardholders/DirectoryListing.h"

#include "app/CWFDoc.h"
#include "cardholders/CredentialTables.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

namespace DirectoryListing {

namespace {

constexpr std::int32_t kWithoutCardholder = -1;

} // namespace

std::vector<Row> ListDirectory(const CWFDoc& doc)
{
    std::vector<Row> rows;
    try {
        const FilterScope users(g_setUsers, {}, {});
        WalkSorted(g_setPhoneEntries, {}, {}, [&](CSetPhoneEntries& entry) {
            if (entry.m_UserID < 1 && entry.m_UserID != kWithoutCardholder)
                return;
            Row row{entry.m_UserDirectoryCode, QStringLiteral("-"), entry.m_TenantName, entry.m_PhoneNumber,
                    doc.FormatSubsets(), entry.m_ExtendedTalkTime ? QStringLiteral("Yes") : QStringLiteral("No"),
                    entry.m_EntryNumberID};
            if (entry.m_UserID >= 1) {
                if (g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(entry.m_UserID))) {
                    row.holder = g_setUsers.m_LastName + QLatin1Char(' ') + g_setUsers.m_FirstName;
                } else {
                    ShowMessageBox(QStringLiteral("Error in data base. \nUser ID not found."));
                    row = Row{entry.m_UserDirectoryCode, {}, {}, {}, {}, {}, entry.m_EntryNumberID, false};
                }
            }
            rows.push_back(row);
        });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return rows;
}

} // namespace DirectoryListing
