#include "database/CSetPhoneEntries.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr std::uint8_t kStale = 0xAA;

CSetPhoneEntries::PanelEntry Build(const CSetPhoneEntries& row)
{
    CSetPhoneEntries::PanelEntry entry;
    entry.fill(kStale);
    row.BuildPanelEntry(entry);
    return entry;
}

std::string Bytes(const CSetPhoneEntries::PanelEntry& entry, int first, int count)
{
    return std::string(entry.begin() + first, entry.begin() + first + count);
}
} // namespace

TEST(PanelEntry, SmithEntryIsLaidOutByteByByte)
{
    CSetPhoneEntries row;
    row.m_DirectoryCode = 0;
    row.m_PhoneNumber = QStringLiteral("5551234");
    row.m_ExtendedTalkTime = false;
    row.m_SubsetA = true;
    row.m_SubsetC = true;
    row.m_UserID = 300;
    row.m_TenantName = QStringLiteral("SMITH");
    const CSetPhoneEntries::PanelEntry entry = Build(row);
    const std::uint8_t head[] = {0x01, 0x00, 0x00, 0x00, 0xC5, 7, 0, 0, 0, 0, 0x01, 0x2C};
    for (size_t i = 0; i < sizeof head; ++i)
        EXPECT_EQ(entry[i], head[i]) << "byte " << i;
    EXPECT_EQ(Bytes(entry, 12, 16), "*********5551234");
    EXPECT_EQ(Bytes(entry, 28, 24), "SMITH" + std::string(19, ' '));
    EXPECT_EQ(entry[52], 0x05);
}

TEST(PanelEntry, EdgeRowsFillAsThePanelExpects)
{
    struct Case
    {
        const char* what;
        std::int32_t code;
        const char* phone;
        const char* name;
        bool talk;
        std::uint8_t subsets;
        std::uint8_t flags;
        std::uint8_t length;
        std::string phoneBytes;
        std::string nameBytes;
    };
    const Case cases[] = {
        {"empty", 0, "", "", false, 0x00, 0xC0, 0, std::string(16, '*'), std::string(24, ' ')},
        {"high subsets only", 0, "1", "A", false, 0xF0, 0xC0, 1, std::string(15, '*') + "1", "A" + std::string(23, ' ')},
        {"talk time, all subsets", 0, "1", "A", true, 0xFF, 0xEF, 1, std::string(15, '*') + "1", "A" + std::string(23, ' ')},
        {"long number and name", 0, "0123456789ABCDEFGH", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", false, 0, 0xC0, 18,
         "23456789ABCDEFGH", "ABCDEFGHIJKLMNOPQRSTUVWX"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSetPhoneEntries row;
        row.m_DirectoryCode = c.code;
        row.m_PhoneNumber = QString::fromLatin1(c.phone);
        row.m_TenantName = QString::fromLatin1(c.name);
        row.m_ExtendedTalkTime = c.talk;
        bool* subsets[] = {&row.m_SubsetA, &row.m_SubsetB, &row.m_SubsetC, &row.m_SubsetD,
                           &row.m_SubsetE, &row.m_SubsetF, &row.m_SubsetG, &row.m_SubsetH};
        for (int bit = 0; bit < 8; ++bit)
            *subsets[bit] = (c.subsets >> bit) & 1;
        EXPECT_EQ(row.GetSubsetMask(), c.subsets);
        const CSetPhoneEntries::PanelEntry entry = Build(row);
        EXPECT_EQ(entry[4], c.flags);
        EXPECT_EQ(entry[5], c.length);
        EXPECT_EQ(Bytes(entry, 12, 16), c.phoneBytes);
        EXPECT_EQ(Bytes(entry, 28, 24), c.nameBytes);
        EXPECT_EQ(entry[52], c.subsets);
    }
}

TEST(PanelEntry, CodeAndUserAreWrittenLowByteFirst)
{
    CSetPhoneEntries row;
    row.m_DirectoryCode = 0x01020304;
    row.m_UserID = -1;
    const CSetPhoneEntries::PanelEntry entry = Build(row);
    EXPECT_EQ(Bytes(entry, 0, 4), std::string("\x05\x03\x02\x01", 4));
    EXPECT_EQ(entry[10], 0xFF);
    EXPECT_EQ(entry[11], 0xFF);
}
