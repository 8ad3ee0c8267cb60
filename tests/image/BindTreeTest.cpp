#include "image/CBindTree.h"
#include "image/CBindTreeRecord.h"
#include "tests/support/MessageBoxScript.h"


#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace {

// A tree file's bytes, as a binder reads and writes them.
class TreeFile
{
public:
    const QByteArray& Bytes() const { return m_bytes; }
    void Replace(const QByteArray& bytes) { m_bytes = bytes; }

    std::vector<CBindTreeRecord> Records() const
    {
        auto records = CBindTreeRecord::ReadArray(m_bytes);
        EXPECT_TRUE(records.has_value());
        return records.value_or(std::vector<CBindTreeRecord>{});
    }

private:
    QByteArray m_bytes;
};

std::uint16_t BigWord(const CBindTreeEntry::Data& data, int at)
{
    return static_cast<std::uint16_t>(data[at] << 8 | data[at + 1]);
}

struct LinkPositions
{
    int right;
    int left;
};
constexpr LinkPositions kCredentialLinks{10, 12};
constexpr LinkPositions kEntryCodeLinks{5, 7};

// Checks a saved tree file on its own terms: one root named by the header,
// links inside the data equal to the record's, keys in order and the
// red-black rules. Returns the key of every slot in use.
std::map<std::uint16_t, std::uint64_t> CheckTreeFile(const std::vector<CBindTreeRecord>& records, LinkPositions links)
{
    std::map<std::uint16_t, std::uint64_t> keys;
    std::uint16_t root = 0;
    for (std::size_t s = 1; s < records.size(); ++s) {
        if (records[s].root != 0) {
            EXPECT_EQ(root, 0) << "two roots";
            root = static_cast<std::uint16_t>(s);
        }
    }
    EXPECT_EQ(records[0].left, root);
    EXPECT_EQ(BigWord(records[0].data, links.left), root);
    if (root == 0)
        return keys;
    EXPECT_EQ(records[root].colour, 0U) << "red root";
    struct Step
    {
        std::uint16_t slot;
        int blacks;
        std::uint64_t low;
        std::uint64_t high;
        int parentColour;
    };
    int pathBlacks = -1;
    std::vector<Step> work{{root, 0, 0, ~std::uint64_t(0), 0}};
    while (!work.empty()) {
        const Step step = work.back();
        work.pop_back();
        if (step.slot == 0) {
            if (pathBlacks < 0)
                pathBlacks = step.blacks;
            EXPECT_EQ(step.blacks, pathBlacks) << "black heights differ";
            continue;
        }
        const CBindTreeRecord& r = records.at(step.slot);
        EXPECT_FALSE(keys.count(step.slot)) << "slot reached twice";
        keys[step.slot] = r.key;
        EXPECT_NE(r.key, 0U);
        EXPECT_GE(r.key, step.low);
        EXPECT_LE(r.key, step.high);
        EXPECT_FALSE(r.colour == 1 && step.parentColour == 1) << "red under red";
        EXPECT_EQ(BigWord(r.data, links.left), r.left);
        EXPECT_EQ(BigWord(r.data, links.right), r.right);
        const int blacks = step.blacks + (r.colour == 0 ? 1 : 0);
        work.push_back({r.left, blacks, step.low, r.key, static_cast<int>(r.colour)});
        work.push_back({r.right, blacks, r.key, step.high, static_cast<int>(r.colour)});
    }
    for (std::size_t s = 1; s < records.size(); ++s) {
        if (!keys.count(static_cast<std::uint16_t>(s))) {
            EXPECT_EQ(records[s].key, 0U) << "slot " << s << " holds a key outside the tree";
        }
    }
    return keys;
}

std::unique_ptr<CBindTreeEntry> MakeEntry(std::uint16_t slot, std::uint64_t key)
{
    auto entry = std::make_unique<CBindTreeEntry>(slot, key);
    entry->GetData()[0] = 0x80;
    entry->GetData()[1] = static_cast<std::uint8_t>(key);
    return entry;
}

} // namespace

TEST(BindTree, RandomChangesKeepBalanceOrderAndSlotsAcrossSaveAndLoad)
{
    constexpr int kCapacity = 400;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937_64 random(seed);
        // Few distinct keys, so inserts and removes meet existing keys often.
        std::uniform_int_distribution<std::uint64_t> keyOf(1, seed % 2 ? 600 : ~std::uint64_t(0) >> 1);
        TreeFile file;
        std::map<std::uint64_t, std::uint16_t> model;
        for (int round = 0; round < 8; ++round) {
            CBindTree tree(QStringLiteral("Tree.dat"), kCapacity, CBindTree::kCredentialRecords, {});
            tree.Load(file.Bytes());
            ASSERT_EQ(tree.Count(), static_cast<int>(model.size()));
            for (const auto& [key, slot] : model) {
                const CBindTreeEntry* entry = tree.Find(key);
                ASSERT_NE(entry, nullptr);
                EXPECT_EQ(entry->GetValue(), slot) << "a record that did not change moved";
            }
            for (int op = 0; op < 300; ++op) {
                const std::uint64_t key = keyOf(random);
                if (CBindTreeEntry* entry = tree.Find(key)) {
                    if (random() % 3 == 0)
                        continue;
                    model.erase(key);
                    tree.Remove(*entry);
                } else {
                    const std::uint16_t slot = tree.FindFreeSlot();
                    std::set<std::uint16_t> taken;
                    for (const auto& [k, s] : model)
                        taken.insert(s);
                    std::uint16_t lowest = 1;
                    while (taken.count(lowest))
                        ++lowest;
                    ASSERT_EQ(slot, lowest <= kCapacity ? lowest : 0);
                    if (slot == 0)
                        continue;
                    ASSERT_TRUE(tree.Add(MakeEntry(slot, key)));
                    model[key] = slot;
                }
            }
            tree.MakeHeaderRecord();
            file.Replace(tree.FileBytes());
            const auto records = file.Records();
            ASSERT_EQ(records.size(), static_cast<std::size_t>(kCapacity + 1));
            const auto keys = CheckTreeFile(records, kCredentialLinks);
            std::map<std::uint64_t, std::uint16_t> stored;
            for (const auto& [slot, key] : keys)
                stored[key] = slot;
            EXPECT_EQ(stored, model);
            EXPECT_LE(tree.Depth(), 2 * 9 + 2);
        }
    }
}

TEST(BindTree, EmptyTreeSavesZeroRecords)
{
    TreeFile file;
    CBindTree tree(QStringLiteral("Tree.dat"), 20000, CBindTree::kCredentialRecords, {});
    tree.Load(file.Bytes());
    tree.MakeHeaderRecord();
    file.Replace(tree.FileBytes());
    const QByteArray bytes = file.Bytes();
    ASSERT_EQ(bytes.size(), 2 + 40 * 20001);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[0]), 0x21);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[1]), 0x4E);
    EXPECT_EQ(bytes.count('\0'), bytes.size() - 2);
}

TEST(BindTree, SlotRecordBytesAndLinksFollowTheLayout)
{
    for (const auto& [layout, links] : {std::pair{CBindTree::kCredentialRecords, kCredentialLinks},
                                        std::pair{CBindTree::kEntryCodeRecords, kEntryCodeLinks}}) {
        SCOPED_TRACE(layout);
        TreeFile file;
        CBindTree tree(QStringLiteral("Tree.dat"), 10, layout, {});
        tree.Load(file.Bytes());
        // 20 in slot 1 becomes the root with 10 (slot 2) left and 30 (slot 3) right.
        for (const auto& [slot, key] : {std::pair{1, 20}, std::pair{2, 10}, std::pair{3, 30}})
            ASSERT_TRUE(tree.Add(MakeEntry(static_cast<std::uint16_t>(slot), static_cast<std::uint64_t>(key))));
        tree.MakeHeaderRecord();
        file.Replace(tree.FileBytes());
        const QByteArray bytes = file.Bytes();
        const QByteArray root = bytes.mid(2 + 40, 40);
        const QByteArray expected = QByteArray::fromHex("01000000" "00000000" "1400000000000000" "00000000"
                                                        "0200" "0300");
        EXPECT_EQ(root.left(24).toHex(), expected.toHex());
        EXPECT_EQ(static_cast<std::uint8_t>(root[24 + links.right + 1]), 3);
        EXPECT_EQ(static_cast<std::uint8_t>(root[24 + links.left + 1]), 2);
        const QByteArray header = bytes.mid(2, 40);
        EXPECT_EQ(static_cast<std::uint8_t>(header[24 + links.left + 1]), 1);
        EXPECT_EQ(static_cast<std::uint8_t>(header[24 + links.right + 1]), 0);
        const auto leaf = CBindTreeRecord::ReadAt(bytes, 2 + 2 * 40);
        EXPECT_EQ(leaf.root, 0U);
        EXPECT_EQ(leaf.colour, 1U);
        EXPECT_EQ(leaf.key, 10U);
    }
}

TEST(BindTree, RemovedSlotIsTheNextOneGivenOut)
{
    TreeFile file;
    CBindTree tree(QStringLiteral("Tree.dat"), 5, CBindTree::kCredentialRecords, {});
    tree.Load(file.Bytes());
    for (std::uint64_t key = 1; key <= 5; ++key)
        ASSERT_TRUE(tree.Add(MakeEntry(tree.FindFreeSlot(), key * 100)));
    EXPECT_EQ(tree.FindFreeSlot(), 0);
    tree.Remove(*tree.Find(300));
    tree.Remove(*tree.Find(500));
    EXPECT_EQ(tree.FindFreeSlot(), 3);
    EXPECT_EQ(tree.Find(300), nullptr);
    ASSERT_TRUE(tree.Add(MakeEntry(3, 700)));
    EXPECT_EQ(tree.FindFreeSlot(), 5);
}

TEST(BindTree, KeyZeroAndTakenSlotsAreRefused)
{
    CBindTree tree(QStringLiteral("Tree.dat"), 5, CBindTree::kCredentialRecords, {});
    EXPECT_FALSE(tree.Add(MakeEntry(1, 0)));
    EXPECT_EQ(tree.FindFreeSlot(), 1);
    ASSERT_TRUE(tree.Add(MakeEntry(1, 9)));
    EXPECT_FALSE(tree.Add(MakeEntry(1, 10)));
    EXPECT_FALSE(tree.Add(MakeEntry(6, 10)));
    EXPECT_FALSE(tree.Add(MakeEntry(0, 10)));
    EXPECT_EQ(tree.Count(), 1);
}

TEST(BindTree, EqualKeyGoesRightAndFindMeetsTheFirst)
{
    CBindTree tree(QStringLiteral("Tree.dat"), 5, CBindTree::kCredentialRecords, {});
    ASSERT_TRUE(tree.Add(MakeEntry(1, 9)));
    ASSERT_TRUE(tree.Add(MakeEntry(2, 9)));
    EXPECT_EQ(tree.Find(9)->GetValue(), 1);
    EXPECT_EQ(tree.Depth(), 2);
}

TEST(BindTree, DamagedOrForeignFileCountsAsNoCopy)
{
    // A sound file of three records: 20 in slot 1 (root), 10 in 2, 30 in 3.
    TreeFile source;
    {
        CBindTree tree(QStringLiteral("Tree.dat"), 6, CBindTree::kCredentialRecords, {});
        tree.Load(source.Bytes());
        tree.Add(MakeEntry(1, 20));
        tree.Add(MakeEntry(2, 10));
        tree.Add(MakeEntry(3, 30));
        tree.MakeHeaderRecord();
        source.Replace(tree.FileBytes());
    }
    const auto sound = source.Records();
    using Damage = std::function<void(std::vector<CBindTreeRecord>&)>;
    const std::vector<std::pair<const char*, Damage>> cases = {
        {"cycle back to the root", [](auto& r) { r[2].left = 1; }},
        {"slot out of range", [](auto& r) { r[3].right = 9; }},
        {"two roots", [](auto& r) { r[3].root = 1; }},
        {"keyed slot outside the tree", [](auto& r) { r[5].key = 77; }},
        {"red root", [](auto& r) { r[1].colour = 1; }},
        {"keys out of order", [](auto& r) { r[2].key = 40; }},
        {"link to a free slot", [](auto& r) { r[2].left = 4; }},
        {"no root", [](auto& r) { r[1].root = 0; }},
        {"another capacity", [](auto& r) { r.pop_back(); }},
    };
    for (const auto& [what, damage] : cases) {
        SCOPED_TRACE(what);
        auto records = sound;
        damage(records);
        TreeFile file;
        file.Replace(CBindTreeRecord::WriteArray(records));
        QStringList log;
        CBindTree tree(QStringLiteral("Tree.dat"), 6, CBindTree::kCredentialRecords,
                       [&](const QString& line) { log << line; });
        tree.Load(file.Bytes());
        EXPECT_EQ(tree.Count(), 0);
        EXPECT_EQ(tree.FindFreeSlot(), 1);
        EXPECT_EQ(tree.Find(20), nullptr);
        EXPECT_EQ(log.size(), 1);
    }
    TreeFile truncated;
    truncated.Replace(source.Bytes().left(100));
    CBindTree tree(QStringLiteral("Tree.dat"), 6, CBindTree::kCredentialRecords, {});
    tree.Load(truncated.Bytes());
    EXPECT_EQ(tree.Count(), 0);
}

TEST(BindTree, StatisticsLineAndBalanceWarning)
{
    QStringList log;
    CBindTree tree(QStringLiteral("SingleCards.dat"), 10, CBindTree::kCredentialRecords,
                   [&](const QString& line) { log << line; });
    for (std::uint64_t key = 1; key <= 3; ++key)
        tree.Add(MakeEntry(tree.FindFreeSlot(), key));
    MessageBoxScript boxes;
    tree.LogStatistics(QStringLiteral("Single Cards"));
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0], QStringLiteral("Single Cards tree:        Elements: 3          Depth: 2    "));
    EXPECT_TRUE(boxes.Shown().isEmpty());
}
