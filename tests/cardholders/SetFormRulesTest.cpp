#include "cardholders/CardholderSetData.h"
#include "cardholders/SetFormRules.h"
#include "tests/cardholders/DemoFixture.h"

namespace {

using namespace SetFormRules;

std::array<int, kSlots> Entries(const Slots& s)
{
    return {s[0].entry, s[1].entry, s[2].entry, s[3].entry};
}
std::array<bool, kSlots> Enabled(const Slots& s)
{
    return {s[0].enabled, s[1].enabled, s[2].enabled, s[3].enabled};
}

TEST(SetFormRules, EntriesAndBytesMapBothWays)
{
    EXPECT_EQ(EntryToByte(0), 255);
    EXPECT_EQ(EntryToByte(1), 0);
    EXPECT_EQ(EntryToByte(32), 31);
    EXPECT_EQ(ByteToEntry(255), 0);
    EXPECT_EQ(ByteToEntry(0), 1);
    EXPECT_EQ(ByteToEntry(31), 32);
}

TEST(SetFormRules, FirstSlotOfNoneOrAllAccessClosesTheOthers)
{
    const struct
    {
        int first;
        bool builtIn;
        std::array<int, kSlots> entries;
        std::array<bool, kSlots> enabled;
    } cases[] = {
        {kNoneEntry, false, {0, 0, 0, 0}, {true, false, false, false}},
        {kAllAccessEntry, false, {1, 0, 0, 0}, {true, false, false, false}},
        {kAllAccessEntry, true, {1, 0, 0, 0}, {false, false, false, false}},
        {5, false, {5, 3, 4, 2}, {true, true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        Slots s{{{c.first, true}, {3, true}, {4, true}, {2, true}}};
        Cascade(s, c.builtIn);
        EXPECT_EQ(Entries(s), c.entries);
        EXPECT_EQ(Enabled(s), c.enabled);
    }
}

TEST(SetFormRules, DoorGroupsWithZonesOfTheirOwnCloseTheTimeZones)
{
    // Group 3 has time zones of its own, the others have none.
    const GroupHasZones hasZones = [](int group) { return group == 3; };
    const struct
    {
        const char* name;
        int slot;
        int before;
        int after;
        std::array<int, kSlots> zones;
        std::array<bool, kSlots> zonesEnabled;
    } cases[] = {
        {"first to No access", 0, 2, kNoneEntry, {0, 0, 0, 0}, {false, false, false, false}},
        {"first to a group with zones", 0, 2, 4, {0, 0, 0, 0}, {false, false, false, false}},
        {"first from zones to All Access", 0, 4, kAllAccessEntry, {1, 0, 0, 0}, {true, false, false, false}},
        {"second to a group with zones", 1, kNoneEntry, 4, {3, 5, 0, 0}, {false, false, false, false}},
        {"first between groups without zones", 0, 2, 3, {3, 5, 0, 0}, {true, true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Choices choices;
        choices.doors = {{{c.slot == 0 ? c.after : 2, true}, {kNoneEntry, true}, {kNoneEntry, true}, {kNoneEntry, true}}};
        choices.doors[static_cast<std::size_t>(c.slot)].entry = c.after;
        choices.zones = {{{3, true}, {5, true}, {0, true}, {0, true}}};
        DoorGroupChanged(choices, c.slot, c.before, hasZones);
        EXPECT_EQ(Entries(choices.zones), c.zones);
        EXPECT_EQ(Enabled(choices.zones), c.zonesEnabled);
    }
}

TEST(SetFormRules, LoadedZonesFollowTheDoorGroups)
{
    const GroupHasZones hasZones = [](int group) { return group == 3; };
    const struct
    {
        int door1;
        int zone1;
        std::array<bool, kSlots> enabled;
    } cases[] = {
        {kAllAccessEntry, kAllAccessEntry, {true, false, false, false}},
        {3, 4, {true, true, true, true}},
        {4, 4, {false, false, false, false}},
        {kNoneEntry, kNoneEntry, {false, false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.door1);
        Choices choices;
        choices.doors[0].entry = c.door1;
        choices.zones[0].entry = c.zone1;
        ApplyTimeZoneRule(choices, hasZones);
        EXPECT_EQ(Enabled(choices.zones), c.enabled);
    }
}

using SetSave = DemoFixture;

TEST_F(SetSave, SaveNeverResetsALiveSetWhateverTheTableOrder)
{
    // A set listed before the saved one in table order, and a deleted one after it.
    g_setUserGroups.m_strFilter.clear();
    g_setUserGroups.Requery();
    for (const auto& [index, deleted] : {std::pair{9, false}, std::pair{7, true}}) {
        g_setUserGroups.AddNew();
        g_setUserGroups.m_CHSetIndex = static_cast<std::uint8_t>(index);
        g_setUserGroups.m_CHSetName = QStringLiteral("Set %1").arg(index);
        g_setUserGroups.m_Deleted = deleted;
        g_setUserGroups.Update();
    }
    m_doc.m_globalMemory.SetByte(1226 + 16 * 9, 0x40);
    m_doc.m_globalMemory.SetByte(1226 + 16 * 7, 0x40);

    CardholderSetData data;
    ASSERT_TRUE(data.Load(m_doc, 3));
    data.choices.zones[0].entry = 3;
    data.antiPassback = 4;
    ASSERT_TRUE(data.Save(m_doc, 3));
    EXPECT_EQ(m_doc.m_globalMemory.Byte(1226 + 16 * 3 + 9), 2);
    EXPECT_EQ(m_doc.m_globalMemory.Byte(1226 + 16 * 3 + 13), 4);
    for (int live : {4, 9})
        EXPECT_EQ(m_doc.m_globalMemory.Byte(1226 + 16 * live), 0x40) << live;
    EXPECT_EQ(m_doc.m_globalMemory.Byte(1226 + 16 * 7), 0);
    EXPECT_EQ(m_doc.GetDataToProgram(), 1);
    EXPECT_EQ(m_doc.m_globalMemory.CheckSettingsChanged(0), 0) << "saved to GlobalSettings.dat";

    EXPECT_FALSE(data.Save(m_doc, 2)) << "built-in sets are never written";
}

} // namespace
