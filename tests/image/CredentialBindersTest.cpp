#include "BinderTestFixture.h"

#include "common/RecordsetWalk.h"
#include "image/CEntryCodesBinder.h"
#include "image/CSingleCardsBinder.h"
#include "image/CSingleTransmittersBinder.h"
#include "image/TreeSlotRuns.h"
#include "platform/Database.h"
#include "tests/support/MessageBoxScript.h"

#include <functional>

namespace {

QByteArray Hex(const CBindTreeEntry::Data& data, int size)
{
    return QByteArray(reinterpret_cast<const char*>(data.data()), size).toHex(' ');
}

struct SingleKind
{
    const char* name;
    std::uint8_t bank;
    const char* file;
    const char* fullText;
    std::function<std::unique_ptr<CSingleLearnedBinder>(CBindManager&)> make;
    std::function<void(double number, int holder, bool deleted)> add;
    std::function<bool(double number, int holder)> setHolder;
    const char* table;
    const char* numberColumn;
};

template <class Set, class Number>
void AddSingle(Set& set, Number number, double value, int holder, bool deleted)
{
    set.AddNew();
    set.*number = value;
    set.m_UserIDSingle = holder;
    set.m_DeletedSingle = deleted;
    set.Update();
}

template <class Set, class Number>
bool SetSingleHolder(Set& set, Number number, double value, int holder)
{
    set.Requery();
    for (bool row = MoveToFirstRow(set); row && !set.IsEOF(); set.MoveNext()) {
        if (set.*number == value) {
            set.Edit();
            set.m_UserIDSingle = holder;
            set.Update();
            return true;
        }
    }
    return false;
}

const std::vector<SingleKind>& SingleKinds()
{
    static const std::vector<SingleKind> kinds{
        {"cards", 7, "SingleCards.dat", "The database for single learned cards is full",
         [](CBindManager& m) { return std::make_unique<CSingleCardsBinder>(m); },
         [](double n, int h, bool d) { AddSingle(g_setSingleCard, &CSetSingleCard::m_CardIDSingle, n, h, d); },
         [](double n, int h) { return SetSingleHolder(g_setSingleCard, &CSetSingleCard::m_CardIDSingle, n, h); },
         "CardsSingle", "CardIDSingle"},
        {"transmitters", 6, "SingleTransmitters.dat", "The database for single learned transmitters is full",
         [](CBindManager& m) { return std::make_unique<CSingleTransmittersBinder>(m); },
         [](double n, int h, bool d) { AddSingle(g_setSingleXmtr, &CSetSingleXmtr::m_XmtrIDSingle, n, h, d); },
         [](double n, int h) { return SetSingleHolder(g_setSingleXmtr, &CSetSingleXmtr::m_XmtrIDSingle, n, h); },
         "TransmittersSingle", "XmtrIDSingle"},
    };
    return kinds;
}

// The slot whose record holds number (bytes 1-5), or -1.
int SlotOfNumber(const QByteArray& slotData, std::uint64_t number)
{
    for (int s = 1; s * 16 < slotData.size(); ++s) {
        std::uint64_t stored = 0;
        for (int i = 1; i <= 5; ++i)
            stored = stored << 8 | static_cast<std::uint8_t>(slotData[s * 16 + i]);
        if (stored == number && slotData[s * 16] != 0)
            return s;
    }
    return -1;
}

void AddEntryCode(const QString& code, int holder, bool suspended = false, bool deleted = false)
{
    g_setEntryCodes.AddNew();
    g_setEntryCodes.m_Code = code;
    g_setEntryCodes.m_UserID = holder;
    g_setEntryCodes.m_Suspended = suspended;
    g_setEntryCodes.m_Deleted = deleted;
    g_setEntryCodes.Update();
}

void EditEntryCode(const QString& code, const std::function<void(CSetEntryCodes&)>& change)
{
    g_setEntryCodes.Requery();
    ASSERT_TRUE(g_setEntryCodes.FindFirst(QStringLiteral("Code = '%1'").arg(code)));
    g_setEntryCodes.Edit();
    change(g_setEntryCodes);
    g_setEntryCodes.Update();
}

QString CodeInSlot(const QByteArray& slotData, int slot)
{
    CEntryCodesBinder::Record record{};
    std::copy_n(slotData.constData() + slot * 11, 11, reinterpret_cast<char*>(record.data()));
    return CEntryCodesBinder::FormatEntryCodeRecord(record);
}

} // namespace

TEST(SingleCredentialRecord, PanelBytes)
{
    struct Case
    {
        const char* what;
        bool lost, suspended, deleted;
        const char* bytes;
    };
    const Case cases[] = {
        {"valid", false, false, false, "c0 00 00 01 11 70 00 03 00 00 00 00 00 00 01 02"},
        {"lost", true, false, false, "80 00 00 01 11 70 00 03 00 00 00 00 00 00 01 02"},
        {"suspended", false, true, false, "80 00 00 01 11 70 00 03 00 00 00 00 00 00 01 02"},
        {"deleted", false, false, true, "00 00 00 01 11 70 00 03 00 00 00 00 00 00 01 02"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CBindTreeEntry::Data data;
        data.fill(0xEE);
        CSingleLearnedBinder::BuildRecord(data, 70000, 0x0003, c.lost, c.suspended, c.deleted, 258);
        EXPECT_EQ(Hex(data, 16), QByteArray(c.bytes));
    }
}

TEST(EntryCodeRecord, PanelBytesKeyAndText)
{
    struct Case
    {
        const char* code;
        bool suspended;
        const char* bytes; // null: refused, data untouched
    };
    const Case cases[] = {
        {"1234", false, "c4 ff ff 12 34 ff ff ff ff 00 07"},
        {"1234", true, "84 ff ff 12 34 ff ff ff ff 00 07"},
        {"7", false, "c1 ff ff ff f7 ff ff ff ff 00 07"},
        {"01234567", false, "c8 01 23 45 67 ff ff ff ff 00 07"},
        {"123456789", false, nullptr},
        {"", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CBindTreeEntry::Data data{};
        const bool built = CEntryCodesBinder::BuildRecord(data, QString::fromLatin1(c.code), c.suspended, 7);
        ASSERT_EQ(built, c.bytes != nullptr);
        if (!built) {
            EXPECT_EQ(data, CBindTreeEntry::Data{});
            continue;
        }
        EXPECT_EQ(Hex(data, 11), QByteArray(c.bytes));
        CEntryCodesBinder::Record record{};
        std::copy_n(data.begin(), 11, record.begin());
        EXPECT_EQ(CEntryCodesBinder::FormatEntryCodeRecord(record), QString::fromLatin1(c.code));
    }
    EXPECT_EQ(CEntryCodesBinder::KeyOf(QStringLiteral("1234")), 0xFFFFFFFFFFFF1234ULL);
    EXPECT_FALSE(CEntryCodesBinder::KeyOf(QStringLiteral("12a4")).has_value());
    for (const std::uint8_t flags : {0xC0, 0xC9, 0x00}) {
        CEntryCodesBinder::Record record{flags, 0xFF, 0xFF, 0x12, 0x34};
        EXPECT_TRUE(CEntryCodesBinder::FormatEntryCodeRecord(record).isEmpty()) << int(flags);
    }
}

TEST(TreeSlotRuns, RunsHoldWholeSlotsUpToOneWriteAndEndAtTheLastChange)
{
    struct Case
    {
        const char* what;
        int recordSize;
        std::vector<int> changed;
        std::vector<std::pair<int, int>> runs; // first slot, stored
    };
    const Case cases[] = {
        {"nothing changed", 16, {}, {}},
        {"two changes joined across equal stored", 16, {3, 10}, {{3, 8}}},
        {"a full run of 16-byte stored", 16, {0, 255, 256}, {{0, 256}, {256, 1}}},
        {"a full run of 11-byte stored", 11, {0, 371, 372}, {{0, 372}, {372, 1}}},
        {"trailing equal stored are not sent", 11, {5, 300}, {{5, 296}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int slotCount = 600;
        const QByteArray reference(slotCount * c.recordSize, '\0');
        QByteArray current = reference;
        for (const int s : c.changed)
            current[s * c.recordSize] = '\x80';
        const auto runs = TreeSlotRuns::DifferingRuns(current, reference, c.recordSize);
        ASSERT_EQ(runs.size(), c.runs.size());
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].firstSlot, c.runs[i].first);
            EXPECT_EQ(runs[i].data.size(), c.runs[i].second * c.recordSize);
            EXPECT_EQ(runs[i].data, current.mid(runs[i].firstSlot * c.recordSize, runs[i].data.size()));
        }
    }
}

using CredentialBinders = BinderTestFixture;

TEST_F(CredentialBinders, HolderChangeRewritesExactlyOneSlot)
{
    for (const SingleKind& kind : SingleKinds()) {
        SCOPED_TRACE(kind.name);
        m_sink.writes.clear();
        for (const double number : {70000.0, 500.0, 90000.0})
            kind.add(number, 1, false);
        ASSERT_EQ(kind.make(m_manager)->Bind(), 1);
        ASSERT_EQ(kind.make(m_manager)->GenerateCommands(kNodeA1, 0), 1);
        // No copy yet: the header and the three records in one run.
        ASSERT_EQ(m_sink.writes.size(), 1U);
        EXPECT_EQ(m_sink.writes[0].bank, kind.bank);
        EXPECT_EQ(m_sink.writes[0].unit, 0);
        EXPECT_EQ(m_sink.writes[0].data.size(), 4 * 16);
        ASSERT_NE(kind.make(m_manager)->Store(), 0);
        ASSERT_EQ(m_manager.RecordNodesSent(), 1);

        const auto before = TreeSlotRuns::SlotData(CurrentFile(kind.file), 16);
        ASSERT_TRUE(before.has_value());
        const int slot = SlotOfNumber(*before, 500);
        ASSERT_GT(slot, 0);
        ASSERT_TRUE(kind.setHolder(500, 258));
        m_sink.writes.clear();
        ASSERT_EQ(kind.make(m_manager)->Bind(), 1);
        ASSERT_EQ(kind.make(m_manager)->GenerateCommands(kNodeA1, 0), 1);
        ASSERT_EQ(m_sink.writes.size(), 1U);
        EXPECT_EQ(m_sink.writes[0].unit, slot);
        ASSERT_EQ(m_sink.writes[0].data.size(), 16);
        EXPECT_EQ(m_sink.writes[0].data.mid(14).toHex(), QByteArray("0102"));
        EXPECT_EQ(m_sink.writes[0].data.left(14), before->mid(slot * 16, 14));
    }
}

TEST_F(CredentialBinders, LaterRowDecidesAndUnusableNumbersTakeNoSlot)
{
    for (const SingleKind& kind : SingleKinds()) {
        SCOPED_TRACE(kind.name);
        kind.add(100, 1, false);
        kind.add(100, 1, true);  // a later deleted row removes it
        kind.add(200, 1, true);
        kind.add(200, 2, false); // a later live row brings it back
        kind.add(300, 1, true);  // never bound: changes nothing
        kind.add(0, 3, false);   // 0 would read back as a free slot
        kind.add(1099511627776.0, 3, false);
        ASSERT_EQ(kind.make(m_manager)->Bind(), 1);
        const auto stored = TreeSlotRuns::SlotData(CurrentFile(kind.file), 16);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(SlotOfNumber(*stored, 100), -1);
        EXPECT_EQ(SlotOfNumber(*stored, 200), 1);
        EXPECT_EQ(stored->mid(2 * 16), QByteArray(stored->size() - 2 * 16, '\0'));
    }
}

TEST_F(CredentialBinders, FullTreeShowsTheMessageAndLeavesTheFile)
{
    for (const SingleKind& kind : SingleKinds()) {
        SCOPED_TRACE(kind.name);
        const QString database = g_setSingleCard.m_strDBFolder + QLatin1Char('/')
                                 + (kind.bank == 7 ? QStringLiteral("Cards.mdb") : QStringLiteral("Transmitters.mdb"));
        Database::Open(database)->Execute(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                           "INSERT INTO [%1] ([%2], DeletedSingle, LostSingle, SuspendedSingle, UserIDSingle) "
                           "SELECT i + 1000, 0, 0, 0, 5 FROM n")
                .arg(QLatin1String(kind.table), QLatin1String(kind.numberColumn)));
        ASSERT_EQ(kind.make(m_manager)->Bind(), 1);
        const QByteArray full = CurrentFile(kind.file);
        kind.add(5, 1, false);
        MessageBoxScript boxes;
        EXPECT_EQ(kind.make(m_manager)->Bind(), 0);
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromLatin1(kind.fullText)});
        EXPECT_EQ(CurrentFile(kind.file), full);
    }
}

TEST_F(CredentialBinders, EntryCodeSlotsFollowDeletionAndSuspension)
{
    for (const char* code : {"11", "22", "33"})
        AddEntryCode(QString::fromLatin1(code), 7);
    AddEntryCode(QStringLiteral("123456789"), 7); // too long: takes no slot
    AddEntryCode(QStringLiteral("12a"), 7);
    ASSERT_EQ(CEntryCodesBinder(m_manager).Bind(), 1);
    auto stored = TreeSlotRuns::SlotData(CurrentFile(QStringLiteral("EntryCodes.dat")), 11);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(CodeInSlot(*stored, 2), QStringLiteral("22"));
    EXPECT_EQ(stored->mid(4 * 11), QByteArray(stored->size() - 4 * 11, '\0'));
    ASSERT_EQ(CEntryCodesBinder(m_manager).GenerateCommands(kNodeA1, 0), 1);
    ASSERT_NE(CEntryCodesBinder(m_manager).Store(), 0);
    ASSERT_EQ(m_manager.RecordNodesSent(), 1);

    EditEntryCode(QStringLiteral("33"), [](CSetEntryCodes& set) { set.m_Suspended = true; });
    m_sink.writes.clear();
    ASSERT_EQ(CEntryCodesBinder(m_manager).Bind(), 1);
    ASSERT_EQ(CEntryCodesBinder(m_manager).GenerateCommands(kNodeA1, 0), 1);
    ASSERT_EQ(m_sink.writes.size(), 1U);
    EXPECT_EQ(m_sink.writes[0].bank, 5);
    EXPECT_EQ(m_sink.writes[0].unit, 3);
    ASSERT_EQ(m_sink.writes[0].data.size(), 11);
    EXPECT_EQ(static_cast<std::uint8_t>(m_sink.writes[0].data[0]), 0x82);
    EXPECT_EQ(m_sink.writes[0].data.mid(1), stored->mid(3 * 11 + 1, 10));

    EditEntryCode(QStringLiteral("22"), [](CSetEntryCodes& set) { set.m_Deleted = true; });
    AddEntryCode(QStringLiteral("44"), 8);
    ASSERT_EQ(CEntryCodesBinder(m_manager).Bind(), 1);
    stored = TreeSlotRuns::SlotData(CurrentFile(QStringLiteral("EntryCodes.dat")), 11);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(CodeInSlot(*stored, 1), QStringLiteral("11"));
    EXPECT_EQ(CodeInSlot(*stored, 2), QStringLiteral("44"));
    EXPECT_EQ(CodeInSlot(*stored, 3), QStringLiteral("33"));
    EXPECT_EQ(CodeInSlot(*stored, 4), QString());
}

TEST_F(CredentialBinders, EmptyEntryCodeTableLeavesOnlyZeroSlots)
{
    ASSERT_EQ(CEntryCodesBinder(m_manager).Bind(), 1);
    const QByteArray file = CurrentFile(QStringLiteral("EntryCodes.dat"));
    ASSERT_EQ(file.size(), 2 + 40 * 20001);
    EXPECT_EQ(file.count('\0'), file.size() - 2);
}

TEST_F(CredentialBinders, UnopenableCurrentFileIsReported)
{
    QDir().mkpath(m_manager.ControllerFolder() + QStringLiteral("/EntryCodes.dat"));
    MessageBoxScript boxes;
    EXPECT_EQ(CEntryCodesBinder(m_manager).GenerateCommands(kNodeA1, 0), 0);
    ASSERT_EQ(boxes.Texts().size(), 1);
    EXPECT_TRUE(boxes.Texts()[0].startsWith(QStringLiteral("Error opening file ")));
    EXPECT_TRUE(boxes.Texts()[0].endsWith(QStringLiteral("EntryCodes.dat")));
}
