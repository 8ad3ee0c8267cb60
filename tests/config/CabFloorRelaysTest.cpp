#include "config/CabFloorRelays.h"
#include "database/FloorRows.h"
#include "database/GlobalRecordsets.h"
#include "tests/config/ConfigFixture.h"

#include <gtest/gtest.h>

namespace {

constexpr int kNet = 1;
constexpr int kNode = 3;
using Relays = std::array<bool, CabRelayMask::kRelaysPerModule>;

TEST(CabRelayMaskTest, EachModuleHasSixBitsOfTheMask)
{
    const struct
    {
        int module;
        std::uint32_t bits;
        std::uint32_t clear;
    } cases[] = {{1, 0x00003F, 0xFFFFC0}, {2, 0x000FC0, 0xFFF03F}, {3, 0x03F000, 0xFC0FFF}, {4, 0xFC0000, 0x03FFFF}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        EXPECT_EQ(CabRelayMask::ModuleBits(c.module), c.bits);
        EXPECT_EQ(CabRelayMask::ModuleClearMask(c.module), c.clear);
    }
    EXPECT_EQ(CabRelayMask::RelayBit(2, 2), 1u << 8);
}

// Three whole floors on the template installation.
class CabFloors : public OpenInstallation
{
protected:
    void SetUp() override
    {
        OpenInstallation::SetUp();
        for (int index = 0; index < 3; ++index)
            FloorRows::Add(g_setFloorNames, index, QStringLiteral("Floor %1").arg(index));
    }
    static std::int32_t Cab2Of(int index, int node = kNode)
    {
        EXPECT_TRUE(g_setFloorNames.FindFirst(
            QStringLiteral("[Index] = %1 AND [Net] = %2 AND [Node] = %3").arg(index).arg(kNet).arg(node)));
        return g_setFloorNames.m_Cab2;
    }
    static void SetCab2(int index, std::int32_t value)
    {
        Cab2Of(index);
        g_setFloorNames.Edit();
        g_setFloorNames.m_Cab2 = value;
        g_setFloorNames.Update();
    }
};

TEST_F(CabFloors, OnlyTheFloorsChangedOnThePageAreWritten)
{
    SetCab2(1, 0x41);
    CabFloorRelays cab(2, kNet, kNode);
    cab.Load(g_setFloorNames);
    ASSERT_EQ(cab.Floors(), 3);
    EXPECT_EQ(cab.Name(2), QStringLiteral("Floor 2"));
    EXPECT_TRUE(cab.IsRelaySet(1, 1, 0));
    EXPECT_TRUE(cab.IsRelaySet(1, 2, 0));
    EXPECT_FALSE(cab.IsRelaySet(1, 1, 1));

    cab.SetModuleRelays(0, 2, Relays{false, false, true});
    cab.SetModuleRelays(1, 1, Relays{true, true});
    EXPECT_EQ(cab.Relays(1), 0x43u) << "Mod2 kept";
    // Cleared elsewhere after the page read it, as a removed device does.
    SetCab2(2, 0);
    EXPECT_TRUE(cab.Save(g_setFloorNames));
    EXPECT_EQ(Cab2Of(0), 0x100);
    EXPECT_EQ(Cab2Of(1), 0x43);
    EXPECT_EQ(Cab2Of(0, kNode + 1), 0) << "another node's row";
    EXPECT_FALSE(cab.Save(g_setFloorNames)) << "nothing changed since";

    cab.SetModuleRelays(0, 2, Relays{false, false, false});
    cab.SetModuleRelays(0, 2, Relays{false, false, true});
    EXPECT_FALSE(cab.Save(g_setFloorNames)) << "ticked and cleared again";
}

TEST_F(CabFloors, ARowWithAnIndexPastTheTablesIsSkipped)
{
    g_setFloorNames.AddNew();
    g_setFloorNames.m_Index = 200;
    g_setFloorNames.m_Name = QStringLiteral("Stray");
    g_setFloorNames.m_Net = kNet;
    g_setFloorNames.m_Node = kNode;
    g_setFloorNames.m_Cab2 = 0x7;
    g_setFloorNames.Update();
    CabFloorRelays cab(2, kNet, kNode);
    cab.Load(g_setFloorNames);
    EXPECT_EQ(cab.Floors(), 3);
    for (int position = 0; position < cab.Floors(); ++position)
        cab.SetModuleRelays(position, 1, Relays{true});
    EXPECT_TRUE(cab.Save(g_setFloorNames));
    EXPECT_TRUE(g_setFloorNames.FindFirst(QStringLiteral("[Index] = 200")));
    EXPECT_EQ(g_setFloorNames.m_Cab2, 0x7);
}

} // namespace
