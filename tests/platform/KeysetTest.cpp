#include "platform/Keyset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace
{
// Every position and every key's look-up agree with a plain vector.
void ExpectSame(Keyset& keyset, const std::vector<qint64>& model)
{
    ASSERT_EQ(keyset.Size(), static_cast<int>(model.size()));
    for (int pos = 0; pos < keyset.Size(); ++pos) {
        ASSERT_EQ(keyset.Key(pos), model[pos]) << "at " << pos;
        ASSERT_EQ(keyset.Position(model[pos]), pos) << "key " << model[pos];
    }
}
} // namespace

// Rows placed at the front, the back and between, with the look-up index
// made before, between or after the placements.
TEST(Keyset, PlacedRowsKeepTheirPositionsAndLookUps)
{
    struct Case
    {
        const char* name;
        int indexAfter; // placements made before the first look-up
    };
    const Case cases[] = {{"indexed first", 0}, {"indexed midway", 40}, {"indexed last", 400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(7);
        std::vector<qint64> model = {10, 20, 30, 40, 50};
        Keyset keyset;
        keyset.Assign(model);
        qint64 next = 100;
        for (int i = 0; i < 400; ++i) {
            if (i == c.indexAfter)
                ExpectSame(keyset, model);
            // Mostly the ends, as a log takes new rows; now and then between.
            const int choice = static_cast<int>(random() % 4);
            const int size = static_cast<int>(model.size());
            const int pos = choice == 0 ? 0 : choice == 1 ? size : static_cast<int>(random() % (size + 1));
            keyset.Insert(pos, next);
            model.insert(model.begin() + pos, next);
            ++next;
            if (i % 50 == 49) {
                keyset.RemoveLast();
                model.pop_back();
            }
        }
        ExpectSame(keyset, model);
        EXPECT_EQ(keyset.Position(99999), -1);
    }
}

TEST(Keyset, DeletedMarksFollowTheirRowsAndTheCount)
{
    Keyset keyset;
    keyset.Assign({1, 2, 3});
    keyset.SetDeleted(1, true);
    keyset.SetDeleted(1, true);
    keyset.Insert(0, 9);
    EXPECT_EQ(keyset.LiveCount(), 3);
    EXPECT_TRUE(keyset.IsDeleted(2));
    EXPECT_FALSE(keyset.IsDeleted(0));
    keyset.RemoveLast();
    EXPECT_EQ(keyset.LiveCount(), 2);
    keyset.SetDeleted(2, false);
    EXPECT_EQ(keyset.LiveCount(), 3);
    EXPECT_TRUE(keyset.IsAboveAll(10));
    EXPECT_FALSE(keyset.IsAboveAll(9));
}
