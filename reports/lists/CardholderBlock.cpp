#include "reports/lists/CardholderBlock.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "common/Vocabulary.h"
#include "database/GlobalRecordsets.h"
#include "platform/MessageBox.h"
#include "reports/lists/CReportColMgmnt.h"

namespace {

constexpr int kNoAccessSetIndex = 2;
constexpr const char* kSetNotFoundText = "Error in cardholder set database.";
constexpr const char* kNoSubsetsText = "N/A";
constexpr int kGetValue = 1;

QString SubsetsOfFirstEntry(const CSetUsers& user)
{
    const bool found = g_setPhoneEntries.FindFirst(QStringLiteral("UserID = %1").arg(user.m_UserID));
    if (found && user.m_GotPhoneEntryNumbers)
        return CurrentEntrySubsets();
    return QString::fromLatin1(kNoSubsetsText);
}

QString ExpirationText(const CSetUsers& user)
{
    if (user.m_NeverExpiers)
        return QStringLiteral("Never Expires");
    return user.m_ExpirationDate.isValid() ? user.m_ExpirationDate.toString(QStringLiteral("MM/dd/yyyy")) : QString();
}

QString FirstAddressLine(const CSetUsers& user)
{
    if (user.m_Street.isEmpty() && user.m_City.isEmpty() && user.m_State.isEmpty() && user.m_Zip.isEmpty())
        return QStringLiteral("<no address>");
    return user.m_Street;
}

QString AntiPassbackWord(std::uint8_t setIndex)
{
    CWFDoc* doc = GetInstallationDoc();
    if (!doc)
        return QString();
    return NameAt(AntiPassbackModeNames, doc->CardholderSetAntiPassback(0, setIndex, kGetValue));
}

} // namespace

void EnforceNoAccessRule(CSetUserGroups& set, CSetUsers& user)
{
    if (set.m_CHSetIndex != kNoAccessSetIndex)
        return;
    if (!set.m_Suspend) {
        set.Edit();
        set.m_Suspend = true;
        set.Update();
    }
    if (user.m_Active) {
        user.Edit();
        user.m_Active = false;
        user.Update();
    }
}

QString CurrentEntrySubsets()
{
    CWFDoc* doc = GetInstallationDoc();
    return doc ? doc->FormatSubsets() : QString::fromLatin1(kNoSubsetsText);
}

void WriteCardholderBlock(IReportRowSink& rows, bool withCredentials, CardholderSetRow setRow, const QString* subsets)
{
    CSetUsers& user = g_setUsers;
    CSetUserGroups& set = g_setUserGroups;
    QString setLabel;
    QString setStatus;
    QString antiPassback;
    if (setRow == CardholderSetRow::Walked
        || set.FindFirst(QStringLiteral("CHSetIndex = %1").arg(user.m_CHSetIndex))) {
        EnforceNoAccessRule(set, user);
        setLabel = set.GetSetLabel();
        setStatus = set.m_Suspend ? QStringLiteral("Suspended") : QStringLiteral("Enabled");
        antiPassback = AntiPassbackWord(user.m_CHSetIndex);
    } else {
        ShowMessageBox(QString::fromLatin1(kSetNotFoundText));
    }
    const QString subsetsText = subsets ? *subsets : SubsetsOfFirstEntry(user);
    CReportColMgmnt::AddReportRow(rows, user.GetLabel(), user.GetStatusText(), FirstAddressLine(user),
                                  QStringLiteral("(H)") + user.m_HomePhone, ExpirationText(user), subsetsText,
                                  setLabel, setStatus, antiPassback);
    const QString place = user.m_City + u' ' + user.m_State + u' ' + user.m_Zip;
    CReportColMgmnt::AddReportRow(rows, QStringLiteral(" "), QString(), place, QStringLiteral("(W)") + user.m_WorkPhone);
    const std::int32_t userId = user.m_UserID;
    CReportColMgmnt::AddCardholderFieldLines(rows, userId);
    if (withCredentials)
        CReportColMgmnt::AddCardholderCredentialLines(rows, userId);
}
