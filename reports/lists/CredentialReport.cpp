#include "reports/lists/CredentialReport.h"

#include "app/FacilityCodeLists.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"
#include "reports/lists/CReportColMgmnt.h"
#include "reports/lists/ReportHolder.h"

#include <cstdint>

namespace {

using Run = CReportColMgmnt;

const char* const kNoCardholder = "No Cardholder";

struct Credential
{
    double number = 0.0;
    std::int32_t userID = 0;
    bool suspended = false;
    bool lost = false;
    bool deleted = false;
};

enum class Section { Block, Single };

// What tells the transmitter report from the card report: its tables, field
// names and texts, and whether a free individual credential shows its own
// facility codes in the grouped orders.
struct CredentialTables
{
    Recordset& blocks;
    Recordset& singles;
    const char* blockNumberField;
    const char* singleNumberField;
    const char* gotField;
    const char* lostText;
    bool freeSingleCodesInGroups;
    Credential (*blockRow)();
    Credential (*singleRow)();
    bool (*findBlockContaining)(double number);
    QString (*blockCodes)();
    QString (*singleCodes)();
};

const CredentialTables kTransmitters{
    g_setTransmitters,
    g_setSingleXmtr,
    "XmtrID",
    "XmtrIDSingle",
    "GotTransmitters",
    "Lost Transmitter",
    true,
    [] {
        const CSetTransmitters& s = g_setTransmitters;
        return Credential{s.m_XmtrID, s.m_UserID, s.m_Suspended, s.m_Lost, false};
    },
    [] {
        const CSetSingleXmtr& s = g_setSingleXmtr;
        return Credential{s.m_XmtrIDSingle, s.m_UserIDSingle, s.m_SuspendedSingle, s.m_LostSingle, s.m_DeletedSingle};
    },
    [](double number) { return g_setTransmitterBlocks.FindBlockContaining(number); },
    FormatXmtrBlockFacCodes,
    FormatXmtrFacCodes,
};

const CredentialTables kCards{
    g_setCards,
    g_setSingleCard,
    "CardID",
    "CardIDSingle",
    "GotCards",
    "Lost Card",
    false,
    [] {
        const CSetCards& s = g_setCards;
        return Credential{s.m_CardID, s.m_UserID, s.m_Suspended, s.m_Lost, false};
    },
    [] {
        const CSetSingleCard& s = g_setSingleCard;
        return Credential{s.m_CardIDSingle, s.m_UserIDSingle, s.m_SuspendedSingle, s.m_LostSingle, s.m_DeletedSingle};
    },
    [](double number) { return g_setCardBlocks.FindBlockContaining(number); },
    FormatCardBlockFacCodes,
    FormatCardFacCodes,
};

const QString kLiveSingles = QStringLiteral("DeletedSingle = FALSE");

void Requery(Recordset& set, const QString& sort, const QString& filter)
{
    set.m_strSort = sort;
    set.m_strFilter = filter;
    set.Requery();
}

void Restore(Recordset& set)
{
    Requery(set, QString(), QString());
}

QString UserCriterion(const char* field, std::int32_t userID)
{
    return QStringLiteral("%1 = %2").arg(QLatin1String(field)).arg(userID);
}

// Calls visit with each row that matches, as the current row.
template <class Visit>
void EachMatch(Recordset& set, const QString& criterion, Visit visit)
{
    for (bool found = set.FindFirst(criterion); found; found = set.FindNext(criterion))
        visit();
}

class CredentialReport
{
public:
    CredentialReport(const CredentialTables& tables, IReportRowSink& rows) : m_t(tables), m_rows(rows) {}

    void BuildDefault()
    {
        Run::AddNumberRun(m_rows, Run::RunStart, 0);
        Requery(m_t.blocks, QLatin1String(m_t.blockNumberField), m_t.blocks.m_strFilter);
        for (; !m_t.blocks.IsEOF(); m_t.blocks.MoveNext()) {
            const Credential c = m_t.blockRow();
            if (c.userID > 0) {
                Flush();
                const ReportHolder holder = LookUpHolder(c.userID);
                // Codes only for a cardholder whose set is known.
                AssignedRow(Section::Block, c, holder.setFound ? BlockCodes(c.number) : QString(), holder);
            } else if (!c.suspended) {
                Flush();
                UnassignedRow(Section::Block, c, QString());
            } else {
                BlockWithoutHolder(c);
            }
        }
        Flush();
        Restore(m_t.blocks);

        Requery(m_t.singles, QLatin1String(m_t.singleNumberField), kLiveSingles);
        for (; !m_t.singles.IsEOF(); m_t.singles.MoveNext()) {
            const Credential c = m_t.singleRow();
            const QString codes = m_t.singleCodes();
            if (c.userID > 0)
                AssignedRow(Section::Single, c, codes, LookUpHolder(c.userID));
            else
                SingleWithoutHolder(c, codes);
        }
        Restore(m_t.singles);
    }

    void BuildByCardholder()
    {
        Requery(g_setUsers, QStringLiteral("[LastName],[FirstName] ASC"), GotFilter() + QStringLiteral(" AND UserID <> 0"));
        Run::AddNumberRun(m_rows, Run::RunStart, 0);
        for (; !g_setUsers.IsEOF(); g_setUsers.MoveNext()) {
            const ReportHolder holder = CurrentHolder();
            BlockRowsOf(g_setUsers.m_UserID, holder);
            SingleRowsOf(g_setUsers.m_UserID, holder);
        }
        UnassignedTail();
        Restore(g_setUsers);
        Restore(m_t.blocks);
        Restore(m_t.singles);
    }

    void BuildByStatus()
    {
        Requery(m_t.blocks, QStringLiteral("NOT([Suspended]), NOT([Lost])"), QStringLiteral("UserID > 0"));
        Run::AddNumberRun(m_rows, Run::RunStart, 0);
        for (; !m_t.blocks.IsEOF(); m_t.blocks.MoveNext()) {
            const Credential c = m_t.blockRow();
            AssignedRow(Section::Block, c, BlockCodes(c.number), LookUpHolder(c.userID));
        }
        Requery(m_t.singles, QStringLiteral("NOT([SuspendedSingle]), NOT([LostSingle])"),
                QStringLiteral("UserIDSingle > 0 AND ") + kLiveSingles);
        for (; !m_t.singles.IsEOF(); m_t.singles.MoveNext()) {
            const Credential c = m_t.singleRow();
            AssignedRow(Section::Single, c, m_t.singleCodes(), LookUpHolder(c.userID));
        }
        UnassignedTail();
        Restore(m_t.blocks);
        Restore(m_t.singles);
    }

    void BuildBySet(const QString& setOrder)
    {
        Requery(g_setUserGroups, setOrder, QStringLiteral("Deleted = FALSE"));
        Requery(g_setUsers, g_setUsers.m_strSort, GotFilter() + QStringLiteral(" AND UserID > 0 AND Deleted = FALSE"));
        Requery(m_t.singles, QString(), QLatin1String(m_t.singleNumberField) + QStringLiteral(" <> 0"));
        Run::AddNumberRun(m_rows, Run::RunStart, 0);
        for (; !g_setUserGroups.IsEOF(); g_setUserGroups.MoveNext()) {
            const QString members = QStringLiteral("[CHSetIndex] = %1").arg(g_setUserGroups.m_CHSetIndex);
            EachMatch(g_setUsers, members, [&] { BlockRowsOf(g_setUsers.m_UserID, CurrentHolderInCurrentSet()); });
            EachMatch(g_setUsers, members, [&] { SingleRowsOf(g_setUsers.m_UserID, CurrentHolderInCurrentSet()); });
        }
        UnassignedTail();
        Restore(m_t.blocks);
        Restore(m_t.singles);
        g_setUsers.m_strFilter.clear();
        g_setUsers.Requery();
        Restore(g_setUserGroups);
    }

private:
    QString GotFilter() const { return QLatin1String(m_t.gotField) + QStringLiteral(" = TRUE"); }

    void Flush() { Run::AddNumberRun(m_rows, Run::RunFlush, 0); }

    // An empty cell when no block holds the number.
    QString BlockCodes(double number) const
    {
        return m_t.findBlockContaining(number) ? m_t.blockCodes() : QString();
    }

    static QString NumberCell(Section section, double number)
    {
        QString text = Run::NumberCell(number);
        if (section == Section::Single)
            text += QStringLiteral(" (individual)");
        return text;
    }

    void AssignedRow(Section section, const Credential& c, const QString& codes, const ReportHolder& holder)
    {
        Run::AddReportRow(m_rows, NumberCell(section, c.number), codes, holder.name,
                          CredentialStatusText(c.suspended, c.lost), holder.setName, holder.setStatus);
    }

    // In use without a cardholder, or lost.
    void UnassignedRow(Section section, const Credential& c, const QString& codes)
    {
        const QString holder = QString::fromLatin1(c.suspended ? m_t.lostText : kNoCardholder);
        Run::AddReportRow(m_rows, NumberCell(section, c.number), codes, holder,
                          CredentialStatusText(c.suspended, c.lost));
    }

    // A suspended block credential without cardholder: free, or lost.
    void BlockWithoutHolder(const Credential& c)
    {
        if (!c.lost) {
            Run::AddNumberRun(m_rows, Run::RunAdd, c.number);
            return;
        }
        Flush();
        UnassignedRow(Section::Block, c, BlockCodes(c.number));
    }

    void SingleWithoutHolder(const Credential& c, const QString& codes)
    {
        if (c.suspended && !c.lost)
            Run::AddReportRow(m_rows, NumberCell(Section::Single, c.number), codes);
        else
            UnassignedRow(Section::Single, c, codes);
    }

    void BlockRowsOf(std::int32_t userID, const ReportHolder& holder)
    {
        EachMatch(m_t.blocks, UserCriterion("UserID", userID), [&] {
            const Credential c = m_t.blockRow();
            AssignedRow(Section::Block, c, BlockCodes(c.number), holder);
        });
    }

    // The singles recordset is searched unfiltered here, so deleted rows are skipped by hand.
    void SingleRowsOf(std::int32_t userID, const ReportHolder& holder)
    {
        EachMatch(m_t.singles, UserCriterion("UserIDSingle", userID), [&] {
            const Credential c = m_t.singleRow();
            if (!c.deleted)
                AssignedRow(Section::Single, c, m_t.singleCodes(), holder);
        });
    }

    void UnassignedTail()
    {
        Requery(m_t.blocks, QLatin1String(m_t.blockNumberField), QStringLiteral("UserID = 0"));
        for (; !m_t.blocks.IsEOF(); m_t.blocks.MoveNext()) {
            const Credential c = m_t.blockRow();
            if (c.suspended) {
                BlockWithoutHolder(c);
            } else {
                Flush();
                UnassignedRow(Section::Block, c, BlockCodes(c.number));
            }
        }
        Flush();
        Requery(m_t.singles, QLatin1String(m_t.singleNumberField), QStringLiteral("UserIDSingle = 0 AND ") + kLiveSingles);
        for (; !m_t.singles.IsEOF(); m_t.singles.MoveNext()) {
            const Credential c = m_t.singleRow();
            const bool free = c.suspended && !c.lost;
            SingleWithoutHolder(c, free && !m_t.freeSingleCodesInGroups ? QString() : m_t.singleCodes());
        }
    }

    const CredentialTables& m_t;
    IReportRowSink& m_rows;
};

template <class Step>
void Build(const CredentialTables& tables, IReportRowSink& rows, Step step)
{
    // Without an open installation there is nothing to list.
    if (!tables.blocks.IsOpen())
        return;
    CredentialReport report(tables, rows);
    try {
        step(report);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

const QString kSetsByName = QStringLiteral("[CHSetName] ASC");
const QString kSetsByStatus = QStringLiteral("NOT (Suspend)");

} // namespace

void BuildTransmitterReport(IReportRowSink& rows)
{
    Build(kTransmitters, rows, [](CredentialReport& r) { r.BuildDefault(); });
}

void BuildTransmitterReportByCardholder(IReportRowSink& rows)
{
    Build(kTransmitters, rows, [](CredentialReport& r) { r.BuildByCardholder(); });
}

void BuildTransmitterReportByStatus(IReportRowSink& rows)
{
    Build(kTransmitters, rows, [](CredentialReport& r) { r.BuildByStatus(); });
}

void BuildTransmitterReportBySet(IReportRowSink& rows)
{
    Build(kTransmitters, rows, [](CredentialReport& r) { r.BuildBySet(kSetsByName); });
}

void BuildTransmitterReportBySetStatus(IReportRowSink& rows)
{
    Build(kTransmitters, rows, [](CredentialReport& r) { r.BuildBySet(kSetsByStatus); });
}

void BuildCardReport(IReportRowSink& rows)
{
    Build(kCards, rows, [](CredentialReport& r) { r.BuildDefault(); });
}

void BuildCardReportByCardholder(IReportRowSink& rows)
{
    Build(kCards, rows, [](CredentialReport& r) { r.BuildByCardholder(); });
}

void BuildCardReportByStatus(IReportRowSink& rows)
{
    Build(kCards, rows, [](CredentialReport& r) { r.BuildByStatus(); });
}

void BuildCardReportBySet(IReportRowSink& rows)
{
    Build(kCards, rows, [](CredentialReport& r) { r.BuildBySet(kSetsByName); });
}

void BuildCardReportBySetStatus(IReportRowSink& rows)
{
    Build(kCards, rows, [](CredentialReport& r) { r.BuildBySet(kSetsByStatus); });
}
