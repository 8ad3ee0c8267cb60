#include "linkforms/NodeStatusRecord.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace {

QByteArray Record(std::initializer_list<std::pair<int, std::uint8_t>> bytes)
{
    QByteArray record(NodeStatusRecord::kMinSize, '\0');
    for (const auto& [index, value] : bytes)
        record[index] = static_cast<char>(value);
    return record;
}

TEST(NodeStatusRecord, CountersReadTheirHalvesLowFirstEachHighByteFirst)
{
    const auto status = NodeStatusRecord::Decode(
        Record({{0, 0x47}, {11, 0x12}, {12, 0x34}, {13, 0x56}, {14, 0x78}, {15, 0x00}, {16, 0x02}, {17, 0x00}, {18, 0x01}}));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->address, 0x47);
    EXPECT_EQ(status->packets, 0x56781234u);
    EXPECT_EQ(status->badPackets, 0x00010002u);
}

TEST(NodeStatusRecord, AllOnesCountsAreLeftOut)
{
    const auto status = NodeStatusRecord::Decode(Record(
        {{11, 0xFF}, {12, 0xFF}, {13, 0xFF}, {14, 0xFF}, {15, 0xFF}, {16, 0xFF}, {17, 0xFF}, {18, 0xFE}}));
    ASSERT_TRUE(status);
    EXPECT_FALSE(status->packets);
    EXPECT_EQ(status->badPackets, 0xFFFEFFFFu);
}

TEST(NodeStatusRecord, ShortRecordIsRefused)
{
    EXPECT_FALSE(NodeStatusRecord::Decode(QByteArray(NodeStatusRecord::kMinSize - 1, '\0')));
}

TEST(NodeStatusRecord, SupervisionTextsAndErrorLine)
{
    struct Case
    {
        std::uint8_t obstacles;
        std::uint8_t channels;
        std::uint8_t memory;
        const char* supervision;
        const char* errorLine;
    };
    const Case cases[] = {
        {0, 0, 0, "", ""},
        {0, 0, 3, "Invalid memory config, Out of memory", "SUPV_2 BIT 0 Set"},
        {0, 0, 1, "Invalid memory config", "SUPV_2 BIT 0 Set"},
        {0, 0, 5, "Invalid memory config, Log buffer overflow", "SUPV_2 BIT 0 Set"},
        {0, 0, 2, "Out of memory", "Controller Out of memory"},
        {0, 0, 6, "Out of memory, Log buffer overflow", "Controller Out of memory"},
        {0, 0, 4, "Log buffer overflow", "Controller Log Buffer Overflow"},
        {0x21, 0, 0, "Obst 1 loop trouble, Obst 2 status exception, ", ""},
        {0x0C, 0, 0, "Obst 1 low battery, Obst 2 low battery, ", ""},
        {0, 0x81, 0, "Ch A locked open, Ch D locked closed, ", ""},
        {0x02, 0x06, 7, "Obst 2 loop trouble, Ch B locked open, Ch C locked open, "
                        "Invalid memory config, Out of memory, Log buffer overflow",
         "SUPV_2 BIT 0 Set"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.supervision);
        const auto status = NodeStatusRecord::Decode(Record({{6, c.obstacles}, {7, c.channels}, {8, c.memory}}));
        ASSERT_TRUE(status);
        EXPECT_EQ(status->supervision.toStdString(), c.supervision);
        EXPECT_EQ(status->errorLine.toStdString(), c.errorLine);
    }
}

} // namespace
