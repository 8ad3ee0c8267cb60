#include "cardholders/CredentialList.h"

#include "cardholders/CredentialBlocks.h"
#include "cardholders/CredentialTables.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"

#include <algorithm>
#include <unordered_map>

namespace CredentialList {

namespace {

constexpr int kNumberWidth = 13;

QString NumberText(double number)
{
    return QStringLiteral("%1").arg(FormatWholeNumber(number), kNumberWidth);
}

std::optional<double> NumberOf(const QString& rowText)
{
    const QString digits = rowText.trimmed();
    const bool allDigits = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (!allDigits)
        return std::nullopt;
    return digits.toDouble();
}

// The cardholder name and set of each holder, looked up once per fill.
class Holders
{
public:
    Holders() : m_users(g_setUsers, {}, {}), m_sets(g_setUserGroups, {}, {}) {}

    struct Holder
    {
        QString name;
        QString set;
    };

    const Holder& Of(std::int32_t userId)
    {
        auto found = m_known.find(userId);
        if (found != m_known.end())
            return found->second;
        Holder holder{QStringLiteral("Cardholder not found in database"), {}};
        if (g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(userId))) {
            holder.name = g_setUsers.GetDisplayName();
            if (userId > 0)
                holder.set = g_setUserGroups.GetSetName(g_setUsers.m_CHSetIndex);
        }
        return m_known.emplace(userId, holder).first->second;
    }

private:
    FilterScope m_users;
    FilterScope m_sets;
    std::unordered_map<std::int32_t, Holder> m_known;
};

Row MakeRow(Holders& holders, double number, const NumberState& state, std::int32_t itemData,
            const QString& facilityCodes, bool individual)
{
    const StatusLook look = StatusOf(state.lost, state.suspended, state.userId);
    Row row{NumberText(number), look.image + (individual ? kIndividual : 0), itemData, facilityCodes, {}, {}, look.word};
    if (state.userId != 0) {
        const Holders::Holder& holder = holders.Of(state.userId);
        row.holder = holder.name;
        row.set = holder.set;
    } else if (!state.suspended) {
        row.holder = QStringLiteral("No Cardholder");
    }
    if (row.holder.isEmpty())
        row.holder = QStringLiteral("-");
    return row;
}

template <class Tables>
NumberState StateOf(typename std::remove_reference_t<decltype(Tables::Blocks())>& r)
{
    return {r.m_Suspended, r.m_Lost, r.m_UserID};
}

template <class Tables>
NumberState SingleStateOf(typename std::remove_reference_t<decltype(Tables::Singles())>& r)
{
    return {r.m_SuspendedSingle, r.m_LostSingle, r.m_UserIDSingle};
}

template <class Tables>
QString BlockFacilityCodes(double number)
{
    return Tables::Ranges().FindBlockContaining(number) ? Tables::RangeFacilityCodes() : QString();
}

template <class Tables>
void FillRange(std::vector<Row>& rows, double from, double to)
{
    Holders holders;
    WalkSorted(Tables::Singles(),
               QStringLiteral("DeletedSingle = FALSE AND ") + NumberRange(Tables::kSingleColumn, from, to),
               QLatin1String(Tables::kSingleColumn), [&](auto& r) {
                   rows.push_back(MakeRow(holders, Tables::Number(r), SingleStateOf<Tables>(r),
                                          r.m_AutoNumIndexSingle, Tables::SingleFacilityCodes(), true));
               });
    const FilterScope ranges(Tables::Ranges(), {}, {});
    WalkSorted(Tables::Blocks(), NumberRange(Tables::kBlockColumn, from, to), QLatin1String(Tables::kBlockColumn),
               [&](auto& r) {
                   const double number = Tables::Number(r);
                   rows.push_back(MakeRow(holders, number, StateOf<Tables>(r), r.m_AutoNumIndex,
                                          BlockFacilityCodes<Tables>(number), false));
               });
}

// Where a number's row is: its block row before an individual one.
enum class Place { None, Block, Single };

template <class Tables>
Place Locate(double number)
{
    if (FindRow(Tables::Blocks(), EqualsNumber(Tables::kBlockColumn, number)))
        return Place::Block;
    if (FindRow(Tables::Singles(), EqualsNumber(Tables::kSingleColumn, number)))
        return Place::Single;
    return Place::None;
}

template <class Tables>
std::optional<NumberState> Load(double number)
{
    switch (Locate<Tables>(number)) {
    case Place::Block:
        return StateOf<Tables>(Tables::Blocks());
    case Place::Single:
        return SingleStateOf<Tables>(Tables::Singles());
    case Place::None:
        break;
    }
    return std::nullopt;
}

template <class Tables>
bool Store(double number, const NumberState& state)
{
    switch (Locate<Tables>(number)) {
    case Place::Block: {
        auto& r = Tables::Blocks();
        r.Edit();
        r.m_Suspended = state.suspended;
        r.m_Lost = state.lost;
        r.m_UserID = state.userId;
        r.Update();
        return true;
    }
    case Place::Single: {
        auto& r = Tables::Singles();
        r.Edit();
        r.m_SuspendedSingle = state.suspended;
        r.m_LostSingle = state.lost;
        r.m_UserIDSingle = state.userId;
        r.Update();
        return true;
    }
    case Place::None:
        break;
    }
    return false;
}

template <class Tables>
std::optional<Row> Reread(double number)
{
    const Place place = Locate<Tables>(number);
    if (place == Place::None)
        return std::nullopt;
    Holders holders;
    if (place == Place::Block) {
        auto& r = Tables::Blocks();
        const NumberState state = StateOf<Tables>(r);
        const std::int32_t itemData = r.m_AutoNumIndex;
        const FilterScope ranges(Tables::Ranges(), {}, {});
        return MakeRow(holders, number, state, itemData, BlockFacilityCodes<Tables>(number), false);
    }
    auto& r = Tables::Singles();
    return MakeRow(holders, number, SingleStateOf<Tables>(r), r.m_AutoNumIndexSingle, Tables::SingleFacilityCodes(),
                   true);
}

} // namespace

StatusLook StatusOf(bool lost, bool suspended, std::int32_t userId)
{
    if (lost)
        return {QStringLiteral("Lost"), kLostImage};
    if (!suspended)
        return {QStringLiteral("Enabled"), kEnabledImage};
    if (userId != 0)
        return {QStringLiteral("Suspended"), kSuspendedImage};
    return {QString(), kSpareImage};
}

std::vector<Row> ListRange(CredentialKind kind, double from, double to)
{
    std::vector<Row> rows;
    try {
        WithTables(kind, [&](auto tables) { FillRange<decltype(tables)>(rows, from, to); });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return rows;
}

std::optional<NumberState> LoadState(CredentialKind kind, const QString& rowText)
{
    const std::optional<double> number = NumberOf(rowText);
    if (!number)
        return std::nullopt;
    try {
        return WithTables(kind, [&](auto tables) { return Load<decltype(tables)>(*number); });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return std::nullopt;
    }
}

bool StoreState(CredentialKind kind, const QString& rowText, const NumberState& before, const NumberState& after)
{
    const std::optional<double> number = NumberOf(rowText);
    if (!number || (before.suspended == after.suspended && before.lost == after.lost && before.userId == after.userId))
        return false;
    try {
        MarkDataToProgram();
        if (!WithTables(kind, [&](auto tables) { return Store<decltype(tables)>(*number, after); }))
            return false;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    if (before.userId >= 1 && after.userId == 0)
        CredentialBlocks::ReleaseHolderFlag(kind, before.userId);
    return true;
}

std::optional<Row> RowOf(CredentialKind kind, const QString& rowText)
{
    const std::optional<double> number = NumberOf(rowText);
    if (!number)
        return std::nullopt;
    try {
        return WithTables(kind, [&](auto tables) { return Reread<decltype(tables)>(*number); });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return std::nullopt;
    }
}

} // namespace CredentialList
