#include "reports/lists/ReportHolder.h"

#include "database/GlobalRecordsets.h"

namespace {

const char* const kNotInDatabase = "Cardholder not in database";

QString SuspendText(bool suspended)
{
    return QString::fromLatin1(suspended ? "Suspended" : "Enabled");
}

void TakeCurrentSet(ReportHolder& holder)
{
    holder.setName = g_setUserGroups.m_CHSetName;
    holder.setStatus = SuspendText(g_setUserGroups.m_Suspend);
    holder.setFound = true;
}

ReportHolder NotInDatabase()
{
    ReportHolder holder;
    holder.name = QString::fromLatin1(kNotInDatabase);
    return holder;
}

} // namespace

ReportHolder CurrentHolder()
{
    ReportHolder holder;
    holder.name = g_setUsers.GetDisplayName();
    holder.found = true;
    if (g_setUserGroups.FindFirst(QStringLiteral("CHSetIndex = %1").arg(g_setUsers.m_CHSetIndex)))
        TakeCurrentSet(holder);
    return holder;
}

ReportHolder LookUpHolder(std::int32_t userID)
{
    return g_setUsers.FindByID(userID) ? CurrentHolder() : NotInDatabase();
}

ReportHolder FindHolder(const QString& criterion)
{
    return g_setUsers.FindFirst(criterion) ? CurrentHolder() : NotInDatabase();
}

ReportHolder CurrentHolderInCurrentSet()
{
    ReportHolder holder;
    holder.name = g_setUsers.GetDisplayName();
    holder.found = true;
    TakeCurrentSet(holder);
    return holder;
}

QString CredentialStatusText(bool suspended, bool lost)
{
    if (lost && suspended)
        return QStringLiteral("Suspended & Lost");
    if (lost)
        return QStringLiteral("Lost");
    return SuspendText(suspended);
}
