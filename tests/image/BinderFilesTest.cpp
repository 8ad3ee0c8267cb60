#include "image/CBlockBinder.h"
#include "image/CCardholdersBinder.h"
#include "image/DisplayMessageFile.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

using Record = CCardholdersBinder::Record;
using Block = CBlockBinder::BlockRow;
using Credential = CBlockBinder::CredentialRow;
constexpr int kPage = CBlockBinder::kPageSize;

QDateTime Day(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(0, 0));
}

TEST(CardholderRecords, HoldStateSetAndExpiry)
{
    struct Case
    {
        const char* name;
        bool deleted;
        bool active;
        std::uint8_t set;
        bool neverExpires;
        QDateTime expiry;
        bool accepted;
        Record expected;
    };
    const std::vector<Case> cases{
        {"active, set 3, end of 2009", false, true, 3, false, Day(2009, 12, 31), true,
         {0xC0, 0x03, 0, 0, 0, 0x1F, 0x0C, 0x09}},
        {"inactive", false, false, 1, false, Day(2024, 2, 29), true, {0x40, 0x01, 0, 0, 0, 29, 2, 24}},
        {"deleted though active", true, true, 3, false, Day(2009, 12, 31), true, {}},
        {"never expires", false, true, 2, true, Day(1990, 1, 1), true, {0xC0, 0x02, 0, 0, 0, 0, 0, 0}},
        {"date without calendar fields", false, true, 1, false, QDateTime(), true,
         {0xC0, 0x01, 0, 0, 0, 0xFF, 0xFF, 0x2F}},
        {"last year the byte holds", false, true, 1, false, Day(2255, 6, 1), true, {0xC0, 0x01, 0, 0, 0, 1, 6, 255}},
        {"year before 2000", false, true, 1, false, Day(1999, 12, 31), false, {}},
        {"year past 2255", false, true, 1, false, Day(2256, 1, 1), false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Record record{};
        EXPECT_EQ(CCardholdersBinder::BuildRecord(c.deleted, c.active, c.set, c.neverExpires, c.expiry, record),
                  c.accepted);
        if (c.accepted) {
            EXPECT_EQ(record, c.expected);
        }
    }
}

TEST(BlockPages, NoBlocksGiveTwentyFourUnusedPages)
{
    int refused = 0;
    const QByteArray file = CBlockBinder::BuildPages({}, {}, refused);
    EXPECT_EQ(file, QByteArray(kPage * 24, '\xFF'));
}

TEST(BlockPages, PageFollowsAutoNumIndex)
{
    const std::vector<Block> blocks{
        {1, 100, 199, true, {}},
        {2, 1000, 1999, false, {1, 3, 0, 16}},
        {4, 0x0102030405LL, 0x0102030405LL + 10, false, {}},
    };
    int refused = 0;
    const QByteArray file = CBlockBinder::BuildPages(blocks, {}, refused);
    ASSERT_EQ(file.size(), kPage * 24);
    const QByteArray empty = CBlockBinder::EmptyPage();
    EXPECT_EQ(file.mid(0, kPage), empty);
    EXPECT_EQ(file.mid(2 * kPage, kPage), empty);
    for (int p = 4; p < 24; ++p)
        EXPECT_EQ(file.mid(p * kPage, kPage), empty) << p;
    const QByteArray page1 = file.mid(kPage, kPage);
    EXPECT_EQ(page1.left(13), QByteArray("\xA0\x00\x00\x00\x03\xE8\x00\x00\x00\x07\xCF\x80\x05", 13));
    EXPECT_EQ(page1.mid(13), QByteArray(kPage - 13, '\0'));
    EXPECT_EQ(file.mid(3 * kPage + 1, 5), QByteArray("\x01\x02\x03\x04\x05", 5));
}

TEST(BlockPages, CredentialsMarkBarredBitAndHolder)
{
    const std::vector<Block> blocks{{1, 5000, 6899, false, {}}};
    const std::vector<Credential> credentials{
        {5000, true, 7},     // first number, valid
        {5009, false, 0x1234}, // lost: barred, holder still written
        {5020, false, 1},
        {5020, true, 2},     // same number later: its state and holder win
        {4999, false, 9},    // outside the block: nowhere
        {7000, false, 9},
    };
    int refused = 0;
    const QByteArray page = CBlockBinder::BuildPages(blocks, credentials, refused).left(kPage);
    EXPECT_EQ(refused, 0);
    const auto byte = [&](int at) { return static_cast<std::uint8_t>(page[at]); };
    EXPECT_EQ(byte(44), 0);
    EXPECT_EQ(byte(45), 0x40); // n = 9
    EXPECT_EQ(byte(46), 0);    // n = 20 cleared by the later row
    EXPECT_EQ(byte(282), 0);
    EXPECT_EQ(byte(283), 7);
    EXPECT_EQ(byte(282 + 18), 0x12);
    EXPECT_EQ(byte(283 + 18), 0x34);
    EXPECT_EQ(byte(283 + 40), 2);
    EXPECT_EQ(page.mid(44 + 3, 238 - 3), QByteArray(235, '\0'));
}

TEST(BlockPages, CredentialPastTheBlocksNumbersIsRefused)
{
    const std::vector<Block> blocks{{1, 0, 5000, false, {}}};
    const std::vector<Credential> credentials{{1899, false, 3}, {1900, false, 4}, {4000, true, 5}};
    int refused = 0;
    const QByteArray file = CBlockBinder::BuildPages(blocks, credentials, refused);
    EXPECT_EQ(refused, 2);
    EXPECT_EQ(file.size(), kPage * 24);
    EXPECT_EQ(static_cast<std::uint8_t>(file[44 + 1899 / 8]), 0x80 >> (1899 % 8));
    EXPECT_EQ(file.mid(kPage, kPage), CBlockBinder::EmptyPage());
}

TEST(BlockPages, RowsBeyondTwentyFourAddPages)
{
    std::vector<Block> blocks;
    for (int i = 1; i <= 26; ++i)
        blocks.push_back({i, i * 10000.0, i * 10000.0 + 99, i == 25, {}});
    int refused = 0;
    const QByteArray file = CBlockBinder::BuildPages(blocks, {}, refused);
    ASSERT_EQ(file.size(), kPage * 26);
    EXPECT_EQ(file.mid(24 * kPage, kPage), CBlockBinder::EmptyPage());
    EXPECT_EQ(static_cast<std::uint8_t>(file[25 * kPage]), CBlockBinder::kPageInUse);
}

TEST(DisplayMessageSets, OffsetsPointAtTrimmedTexts)
{
    std::vector<QString> texts(40);
    texts[0] = "WELCOME  ";
    texts[1] = "";
    texts[2] = "GOODBYE";
    int kept = 0;
    const QByteArray file = DisplayMessageFile::Build(texts, kept);
    ASSERT_EQ(file.size(), 4096);
    EXPECT_EQ(kept, 40);
    EXPECT_EQ(file.left(6), QByteArray("\x00\x00\x00\x08\x00\x09", 6));
    EXPECT_EQ(file.mid(256, 17), QByteArray("WELCOME\0\0GOODBYE\0", 17));
    EXPECT_EQ(file.mid(80, 176), QByteArray(176, '\0'));
}

TEST(DisplayMessageSets, OverlongSetIsCutAtAWholeMessage)
{
    std::vector<QString> texts(40, QString(200, 'X'));
    int kept = 0;
    const QByteArray file = DisplayMessageFile::Build(texts, kept);
    ASSERT_EQ(file.size(), 4096);
    EXPECT_EQ(kept, (4096 - 256) / 201);
    EXPECT_EQ(file[256 + kept * 201 - 1], '\0');
    EXPECT_EQ(file.mid(256 + kept * 201), QByteArray(4096 - 256 - kept * 201, '\0'));
    EXPECT_EQ(file.mid(kept * 2, 80 - kept * 2), QByteArray(80 - kept * 2, '\0'));
}

} // namespace
