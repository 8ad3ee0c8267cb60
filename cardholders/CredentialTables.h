#pragma once

#include "app/FacilityCodeLists.h"
#include "cardholders/CredentialKind.h"
#include "common/Formatting.h"
#include "common/RecordsetWalk.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The program-wide recordsets and fields of one credential kind, so cards and
// transmitters share every algorithm. Blocks() holds the numbers of blocks,
// Ranges() the blocks themselves, Singles() the individual numbers.
struct CardTables
{
    static constexpr CredentialKind kKind = CredentialKind::Card;
    static CSetCards& Blocks() { return g_setCards; }
    static CSetSingleCard& Singles() { return g_setSingleCard; }
    static CSetCardBlocks& Ranges() { return g_setCardBlocks; }
    static double& Number(CSetCards& r) { return r.m_CardID; }
    static double& Number(CSetSingleCard& r) { return r.m_CardIDSingle; }
    static bool& HolderFlag(CSetUsers& u) { return u.m_GotCards; }
    static QString RangeFacilityCodes() { return FormatCardBlockFacCodes(); }
    static QString SingleFacilityCodes() { return FormatCardFacCodes(); }
    static constexpr const char* kBlockColumn = "CardID";
    static constexpr const char* kSingleColumn = "CardIDSingle";
};

struct TransmitterTables
{
    static constexpr CredentialKind kKind = CredentialKind::Transmitter;
    static CSetTransmitters& Blocks() { return g_setTransmitters; }
    static CSetSingleXmtr& Singles() { return g_setSingleXmtr; }
    static CSetTransmitterBlocks& Ranges() { return g_setTransmitterBlocks; }
    static double& Number(CSetTransmitters& r) { return r.m_XmtrID; }
    static double& Number(CSetSingleXmtr& r) { return r.m_XmtrIDSingle; }
    static bool& HolderFlag(CSetUsers& u) { return u.m_GotTransmitters; }
    static QString RangeFacilityCodes() { return FormatXmtrBlockFacCodes(); }
    static QString SingleFacilityCodes() { return FormatXmtrFacCodes(); }
    static constexpr const char* kBlockColumn = "XmtrID";
    static constexpr const char* kSingleColumn = "XmtrIDSingle";
};

template <class Visit>
auto WithTables(CredentialKind kind, Visit visit)
{
    if (kind == CredentialKind::Card)
        return visit(CardTables{});
    return visit(TransmitterTables{});
}

inline QString EqualsNumber(const char* column, double number)
{
    return QStringLiteral("%1 = %2").arg(QLatin1String(column), FormatWholeNumber(number));
}

// "column >= from AND column <= to", both written as whole numbers.
inline QString NumberRange(const char* column, double from, double to)
{
    return QStringLiteral("%1 >= %2 AND %1 <= %3").arg(QLatin1String(column), FormatWholeNumber(from), FormatWholeNumber(to));
}

// Leaves no filter or sort on a program-wide recordset, then finds the row.
template <class Set>
bool FindRow(Set& set, const QString& criteria)
{
    set.m_strFilter.clear();
    set.m_strSort.clear();
    set.Requery();
    return set.FindFirst(criteria);
}

// Puts a filter and a sort on a program-wide recordset for a scope; the
// recordset is left without either afterwards, also when the scope throws.
class FilterScope
{
public:
    FilterScope(Recordset& set, const QString& filter, const QString& sort) : m_set(set)
    {
        set.m_strFilter = filter;
        set.m_strSort = sort;
        set.Requery();
    }
    ~FilterScope()
    {
        m_set.m_strFilter.clear();
        m_set.m_strSort.clear();
        try {
            m_set.Requery();
        } catch (const DatabaseException&) {
            // The scope's own error, if any, is the one reported.
        }
    }
    FilterScope(const FilterScope&) = delete;
    FilterScope& operator=(const FilterScope&) = delete;

private:
    Recordset& m_set;
};

// Visits the rows filter selects in sort's order.
template <class Set, class Visit>
void WalkSorted(Set& set, const QString& filter, const QString& sort, Visit visit)
{
    const FilterScope scope(set, filter, sort);
    for (bool row = MoveToFirstRow(set); row && !set.IsEOF(); set.MoveNext())
        visit(set);
}

inline long CountRows(Recordset& set, const QString& filter)
{
    const FilterScope scope(set, filter, {});
    return set.GetRecordCount();
}

// The four facility-code selections of a block or individual row: the
// 1-based positions of the ticked codes, in list order, 0 for none.
using FacilitySelections = std::array<std::uint8_t, 4>;
inline constexpr int kMaxFacilityCodes = 4;
inline const QString kTooManyFacilityCodes = QStringLiteral("Maximum of four facility codes allowed.");

inline FacilitySelections SelectionsOf(const std::vector<int>& ticked)
{
    FacilitySelections selections{};
    for (std::size_t i = 0; i < selections.size() && i < ticked.size(); ++i)
        selections[i] = static_cast<std::uint8_t>(ticked[i]);
    return selections;
}

template <class Set>
void WriteSelections(Set& set, const FacilitySelections& s)
{
    set.m_FacCode_Sel_A = s[0];
    set.m_FacCode_Sel_B = s[1];
    set.m_FacCode_Sel_C = s[2];
    set.m_FacCode_Sel_D = s[3];
}
