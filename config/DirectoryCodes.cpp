#include "config/DirectoryCodes.h"

#include "common/RecordsetWalk.h"
#include "database/CSetPhoneEntries.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"

namespace {

// Sets the filter to assigned entries for one scope and takes it off again.
class AssignedOnly
{
public:
    explicit AssignedOnly(CSetPhoneEntries& entries) : m_entries(entries)
    {
        m_entries.m_strFilter = QStringLiteral("UserID <> 0");
        m_entries.Requery();
    }
    ~AssignedOnly()
    {
        m_entries.m_strFilter.clear();
        try {
            m_entries.Requery();
        } catch (const DatabaseException& error) {
            ShowDatabaseError(error);
        }
    }
    AssignedOnly(const AssignedOnly&) = delete;
    AssignedOnly& operator=(const AssignedOnly&) = delete;

private:
    CSetPhoneEntries& m_entries;
};

} // namespace

namespace DirectoryCodes {

bool AnyAssigned(CSetPhoneEntries& entries)
{
    try {
        if (!MoveToFirstRow(entries))
            return false;
        const AssignedOnly assigned(entries);
        return !(entries.IsBOF() && entries.IsEOF());
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

void ConvertAssigned(CSetPhoneEntries& entries, int length)
{
    if (!entries.IsOpen())
        return;
    try {
        const AssignedOnly assigned(entries);
        if (!MoveToFirstRow(entries))
            return;
        for (; !entries.IsEOF(); entries.MoveNext()) {
            if (entries.m_UserDirectoryCode.size() == length)
                continue;
            entries.Edit();
            entries.m_UserDirectoryCode = entries.m_UserDirectoryCode.rightJustified(length, QLatin1Char('0'));
            entries.Update();
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

} // namespace DirectoryCodes
