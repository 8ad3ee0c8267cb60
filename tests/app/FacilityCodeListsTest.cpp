#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "app/FacilityCodeLists.h"
#include "database/GlobalRecordsets.h"

#include <gtest/gtest.h>

TEST(FacilityCodeLists, CurrentRowsSelectCodesOfTheirKind)
{
    CWFDoc doc;
    for (int i = 0; i < 16; ++i) {
        std::uint16_t card = static_cast<std::uint16_t>(100 + i);
        std::uint16_t transmitter = static_cast<std::uint16_t>(500 + i);
        doc.CardFacilityCode(card, i, 0);
        doc.XmtrFacilityCode(transmitter, i, 0);
    }
    const auto select = [](auto& set, std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
        set.m_FacCode_Sel_A = a;
        set.m_FacCode_Sel_B = b;
        set.m_FacCode_Sel_C = c;
        set.m_FacCode_Sel_D = d;
    };
    select(g_setCardBlocks, 1, 0, 16, 0);
    select(g_setSingleCard, 0, 2, 0, 0);
    select(g_setTransmitterBlocks, 0, 0, 0, 0);
    select(g_setSingleXmtr, 3, 17, 0, 4);
    EXPECT_EQ(FormatCardBlockFacCodes(), QStringLiteral("100, 115"));
    EXPECT_EQ(FormatCardFacCodes(), QStringLiteral("101"));
    EXPECT_EQ(FormatXmtrBlockFacCodes(), QString());
    EXPECT_EQ(FormatXmtrFacCodes(), QStringLiteral("502, 503")) << "a selection beyond 16 selects nothing";
    SetInstallationDoc(nullptr);
    EXPECT_EQ(FormatCardBlockFacCodes(), QString());
}
