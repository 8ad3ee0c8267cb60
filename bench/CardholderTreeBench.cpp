#include "app/CWFDoc.h"
#include "bench/DemoSite.h"
#include "cardholders/CMenuUsers.h"
#include "cardholders/DirectoryCodes.h"
#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "platform/DatabaseTransaction.h"
#include "platform/SqlStatement.h"

#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

// The largest site the screens allow: 9 999 cardholders in 61 sets and
// 9 998 directory codes assigned. Each figure is printed beside a bare
// SQLite read of the same rows.
namespace {

constexpr int kCardholders = 9999;
constexpr int kUserSets = 61;
constexpr int kFirstUserSet = 3;
constexpr int kAssignedCodes = 9998;
constexpr int kCodeLength = 4;

void FillSite()
{
    {
        DatabaseTransaction transaction(g_setUserGroups.GetDefaultDBName());
        for (int set = kFirstUserSet + 2; set < kFirstUserSet + kUserSets; ++set) {
            g_setUserGroups.AddNew();
            g_setUserGroups.m_CHSetIndex = static_cast<std::uint8_t>(set);
            g_setUserGroups.m_CHSetName = QStringLiteral("Set %1").arg(set, 2, 10, QLatin1Char('0'));
            g_setUserGroups.Update();
        }
    }
    {
        DatabaseTransaction transaction(g_setUsers.GetDefaultDBName());
        g_setUsers.Requery();
        g_setUsers.MoveLast();
        for (int id = static_cast<int>(g_setUsers.GetRecordCount()) + 1; id <= kCardholders; ++id) {
            g_setUsers.AddNew();
            g_setUsers.m_UserID = id;
            g_setUsers.m_FirstName = QStringLiteral("Holder");
            g_setUsers.m_LastName = QString::number(id);
            g_setUsers.m_CHSetIndex = static_cast<std::uint8_t>(kFirstUserSet + id % kUserSets);
            g_setUsers.m_Active = true;
            g_setUsers.m_NeverExpiers = true;
            g_setUsers.Update();
        }
    }
    DatabaseTransaction transaction(g_setPhoneEntries.GetDefaultDBName());
    for (int code = 1; code <= kAssignedCodes; ++code) {
        g_setPhoneEntries.AddNew();
        g_setPhoneEntries.m_UserID = code;
        g_setPhoneEntries.m_UserDirectoryCode = QStringLiteral("%1").arg(code, kCodeLength, 10, QLatin1Char('0'));
        g_setPhoneEntries.Update();
    }
}

// The site, made once in a program folder of its own and left open.
CWFDoc& LargeSite()
{
    static QTemporaryDir dir;
    static CWFDoc* doc = [] {
        CWFDoc* opened = OpenSite(MakeDemoSite(dir));
        FillSite();
        return opened;
    }();
    return *doc;
}

int BareRead(const QString& sql, const QString& file)
{
    const std::shared_ptr<Database> database = Database::Open(LargeSite().BuildPath(CWFDoc::kInstallationDatabase, file));
    SqlStatement statement(database->Handle(), sql);
    int rows = 0;
    while (statement.Step())
        ++rows;
    return rows;
}

} // namespace

static void BM_FillCardholderTree(benchmark::State& state)
{
    LargeSite();
    CMenuUsers menu;
    for (auto _ : state) {
        menu.FillTree();
        benchmark::DoNotOptimize(menu.Tree()->topLevelItemCount());
    }
    state.counters["sets"] = menu.Tree()->topLevelItemCount();
}
BENCHMARK(BM_FillCardholderTree)->Unit(benchmark::kMillisecond);

static void BM_BareCardholderRead(benchmark::State& state)
{
    LargeSite();
    for (auto _ : state)
        benchmark::DoNotOptimize(BareRead(QStringLiteral("SELECT * FROM Users ORDER BY CHSetIndex, LastName, FirstName"),
                                          QStringLiteral("Users.mdb")));
}
BENCHMARK(BM_BareCardholderRead)->Unit(benchmark::kMillisecond);

static void BM_LowestFreeDirectoryCode(benchmark::State& state)
{
    LargeSite();
    for (auto _ : state)
        benchmark::DoNotOptimize(DirectoryCodes::FindFreeCode(kCodeLength, false));
}
BENCHMARK(BM_LowestFreeDirectoryCode)->Unit(benchmark::kMillisecond);

static void BM_BareDirectoryCodeRead(benchmark::State& state)
{
    LargeSite();
    for (auto _ : state)
        benchmark::DoNotOptimize(BareRead(QStringLiteral("SELECT UserDirectoryCode FROM EntryNumbers WHERE UserID <> 0"),
                                          QStringLiteral("EntryNumbers.mdb")));
}
BENCHMARK(BM_BareDirectoryCodeRead)->Unit(benchmark::kMillisecond);
