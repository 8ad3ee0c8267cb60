#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "app/FacilityCodeLists.h"
#include "common/Formatting.h"
#include "database/BlockSearch.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"
#include "reports/lists/CReportColMgmnt.h"

namespace {

constexpr int kStoredCodeLength = 8;

// Writes detail lines under one cardholder, cell 0 a blank so the row shows;
// the group heading goes on the first line written only.
class DetailWriter
{
public:
    DetailWriter(IReportRowSink& rows, QString heading) : m_rows(rows), m_heading(std::move(heading)) {}

    void Write(const QString& label, const QString& value, const QString& state = {}, const QString& extra = {})
    {
        CReportColMgmnt::AddReportRow(m_rows, QStringLiteral(" "), m_heading, label, value, state, extra);
        m_heading.clear();
    }

private:
    IReportRowSink& m_rows;
    QString m_heading;
};

QString UserCriteria(const char* field, std::int32_t userId)
{
    return QStringLiteral("%1 = %2").arg(QLatin1String(field), QString::number(userId));
}

QString Suspended(bool suspended)
{
    return suspended ? QStringLiteral("Suspended") : QString();
}

// The number with its facility codes, and the label that says whether it has any.
void WriteCredential(DetailWriter& out, const char* label, double number, const QString& codes, bool suspended)
{
    const QString text = FormatWholeNumber(number);
    if (codes.isEmpty()) {
        out.Write(QStringLiteral("%1:").arg(QLatin1String(label)), text, Suspended(suspended));
        return;
    }
    out.Write(QStringLiteral("%1 (fac code):").arg(QLatin1String(label)), text + QStringLiteral("  (") + codes + u')',
              Suspended(suspended));
}

// A number that no block holds leaves the block recordset past its end, so
// there are no selections to read.
template <class BlockSet>
QString BlockFacilityCodes(BlockSet& blocks, double number, QString (*format)())
{
    return FindBlockContaining(blocks, number) ? format() : QString();
}

template <class Set, class Row>
void ForEachFound(Set& set, const QString& criteria, Row row)
{
    for (bool found = set.FindFirst(criteria); found; found = set.FindNext(criteria))
        row();
}

void WriteTransmitters(DetailWriter& out, std::int32_t userId)
{
    ForEachFound(g_setTransmitters, UserCriteria("UserID", userId), [&] {
        const QString codes =
            BlockFacilityCodes(g_setTransmitterBlocks, g_setTransmitters.m_XmtrID, FormatXmtrBlockFacCodes);
        WriteCredential(out, "Xmtrs-block", g_setTransmitters.m_XmtrID, codes, g_setTransmitters.m_Suspended);
    });
    ForEachFound(g_setSingleXmtr, UserCriteria("UserIDSingle", userId), [&] {
        WriteCredential(out, "Xmtrs-indiv", g_setSingleXmtr.m_XmtrIDSingle, FormatXmtrFacCodes(),
                        g_setSingleXmtr.m_SuspendedSingle);
    });
}

void WriteCards(DetailWriter& out, std::int32_t userId)
{
    ForEachFound(g_setCards, UserCriteria("UserID", userId), [&] {
        const QString codes = BlockFacilityCodes(g_setCardBlocks, g_setCards.m_CardID, FormatCardBlockFacCodes);
        WriteCredential(out, "Cards-block", g_setCards.m_CardID, codes, g_setCards.m_Suspended);
    });
    ForEachFound(g_setSingleCard, UserCriteria("UserIDSingle", userId), [&] {
        WriteCredential(out, "Cards-indiv", g_setSingleCard.m_CardIDSingle, FormatCardFacCodes(),
                        g_setSingleCard.m_SuspendedSingle);
    });
}

// A code stored longer than the panels take is cut, and its number with it,
// so the two forms of the row agree.
void CutStoredCode(CSetEntryCodes& codes)
{
    if (codes.m_Code.size() <= kStoredCodeLength)
        return;
    codes.Edit();
    codes.m_Code.truncate(kStoredCodeLength);
    codes.m_dCode = codes.m_Code.toDouble();
    codes.Update();
}

void WriteEntryCodes(DetailWriter& out, std::int32_t userId)
{
    CSetEntryCodes& codes = g_setEntryCodes;
    codes.m_strFilter = UserCriteria("UserID", userId);
    codes.m_strSort = QStringLiteral("[Hidden], [dCode]");
    codes.Requery();
    QString label = QStringLiteral("Entry Codes:");
    for (; !codes.IsEOF(); codes.MoveNext()) {
        CutStoredCode(codes);
        if (codes.m_Deleted)
            continue;
        out.Write(label, codes.GetDisplayCode(), Suspended(codes.m_Suspended));
        label.clear();
    }
    codes.m_strFilter.clear();
    codes.m_strSort.clear();
}

void WriteDirectoryCodes(DetailWriter& out, std::int32_t userId, int width)
{
    QString label = QStringLiteral("Telephone Directory:");
    ForEachFound(g_setPhoneEntries, UserCriteria("UserID", userId), [&] {
        const CSetPhoneEntries& entry = g_setPhoneEntries;
        out.Write(label, entry.m_UserDirectoryCode.rightJustified(width, QLatin1Char('0')), entry.m_TenantName,
                  entry.m_ExtendedTalkTime ? QStringLiteral("Ext Talk Time") : QString());
        label.clear();
    });
}

int DirectoryCodeWidth()
{
    std::uint8_t length = 0;
    if (CWFDoc* doc = GetInstallationDoc())
        doc->DirectoryCodeLength(length, 1);
    return length + 1;
}

} // namespace

void CReportColMgmnt::AddCardholderFieldLines(IReportRowSink& rows, std::int32_t userId)
{
    CWFDoc* doc = GetInstallationDoc();
    if (!doc || !g_setUsers.FindByID(userId))
        return;
    const QString values[] = {g_setUsers.m_CustomType1, g_setUsers.m_CustomType2, g_setUsers.m_CustomType3,
                              g_setUsers.m_CustomType4};
    DetailWriter out(rows, QStringLiteral("Fields:"));
    for (std::size_t i = 0; i < doc->m_userTypeLabels.size(); ++i) {
        const QString& label = doc->m_userTypeLabels[i];
        if (!label.isEmpty())
            out.Write(label + u':', values[i]);
    }
}

void CReportColMgmnt::AddCardholderCredentialLines(IReportRowSink& rows, std::int32_t userId)
{
    if (!g_setUsers.FindByID(userId))
        return;
    const CSetUsers& user = g_setUsers;
    DetailWriter out(rows, QStringLiteral("Credential:"));
    try {
        if (user.m_GotTransmitters)
            WriteTransmitters(out, userId);
        if (user.m_GotCards)
            WriteCards(out, userId);
        if (user.m_GotEntryCodes)
            WriteEntryCodes(out, userId);
        if (user.m_GotPhoneEntryNumbers)
            WriteDirectoryCodes(out, userId, DirectoryCodeWidth());
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}
