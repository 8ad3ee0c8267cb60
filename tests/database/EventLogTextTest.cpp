#include "tests/database/EventLogFixture.h"

#include "database/GlobalRecordsets.h"

#include <array>
#include <optional>

namespace
{
constexpr std::uint8_t kNode = 0x12; // network A, node 2
const QString kKeep = QStringLiteral("<as given>");
const QString kNotSupported = QStringLiteral("Non-supported event type");
const QString kStoredLogError = QStringLiteral("Database error in stored Event Log.");

struct TextCase
{
    const char* name;
    std::uint8_t type;
    std::uint8_t mod;
    std::uint8_t ctx;
    std::uint8_t door;
    std::array<std::uint8_t, 5> ids;
    QString doorText;
    QString modifier;
    QString event;
    QString message = {};
    std::uint8_t codeLength = 0;
};

class EventText : public EventLogFixture
{
protected:
    void SetUp() override
    {
        EventLogFixture::SetUp();
        g_setVestrels.AddNew();
        g_setVestrels.m_NetAddress = 1;
        g_setVestrels.m_NodeAddress = 2;
        g_setVestrels.m_VestrelName = "Lobby";
        g_setVestrels.m_RelayAName = "Front";
        g_setVestrels.m_RelayBName = "Back";
        g_setVestrels.Update();

        if (g_setVLNetworks.FindFirst("Net = 1")) {
            g_setVLNetworks.Edit();
        } else {
            g_setVLNetworks.AddNew();
            g_setVLNetworks.m_Net = 1;
        }
        g_setVLNetworks.m_NetName = "Main";
        g_setVLNetworks.Update();

        m_ann = AddUser("Ann", "Smith");
        m_bob = AddUser("Bob", "");

        g_setEntryCodes.AddNew();
        g_setEntryCodes.m_Code = "12345";
        g_setEntryCodes.m_Hidden = true;
        g_setEntryCodes.Update();
    }

    static std::int32_t AddUser(const char* first, const char* last)
    {
        g_setUsers.AddNew();
        g_setUsers.m_FirstName = first;
        g_setUsers.m_LastName = last;
        g_setUsers.Update();
        g_setUsers.SetBookmark(g_setUsers.GetLastModifiedBookmark());
        return g_setUsers.m_UserID;
    }

    std::int32_t m_ann = 0;
    std::int32_t m_bob = 0;
};
} // namespace

TEST_F(EventText, EveryTypeGivesItsDoorModifierAndEventTexts)
{
    ASSERT_LT(m_bob, 256) << "the table names Bob by Id3 0 and Id4";
    const std::uint8_t bob = std::uint8_t(m_bob);
    const QString ann = "Smith, Ann";
    const QString door1 = "[A2A] Front";
    const QString door2 = "[A2B] Back";
    const QString node = "[A2]  Lobby";
    const TextCase cases[] = {
        {"1 is not supported", 1, 0, 0, 5, {}, node, kKeep, kKeep, kNotSupported},
        {"2 low battery", 2, 3, 2, 3, {}, "[A2C] ", kKeep, "Obstacle xmtr [3] Low Battery"},
        {"2 trouble", 2, 1, 1, 3, {}, "[A2C] ", kKeep, "Obstacle xmtr [1] Trouble"},
        {"2 supervisory", 2, 2, 3, 4, {}, "[A2D] ", kKeep, "Obstacle xmtr [2] Supervisory"},
        {"2 other context", 2, 2, 9, 4, {}, "[A2D] ", kKeep, "Obstacle xmtr [2]"},
        {"3 first", 3, 3, 0, 5, {}, node, "Panel operator", "Reset/Power Up"},
        {"3 last", 3, 7, 0, 5, {}, node, "Panel operator", "Enter Remote Program Mode"},
        {"3 past the table", 3, 8, 0, 5, {}, node, "Panel operator", kKeep, kStoredLogError},
        {"3 before the table", 3, 2, 0, 5, {}, node, "Panel operator", kKeep, kStoredLogError},
        {"4 block card denied", 4, 15, 0, 0x11, {1, 0, 0, 0, 1}, door1, ann, "Block Card [4294967297], Access denied"},
        {"4 block xmtr granted on the node", 4, 16, 0, 0x05, {0, 0, 0, 1, 2}, node, ann,
         "Block xmtr [258], Access granted"},
        {"4 single xmtr", 4, 17, 0, 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, door1, ann,
         "Single xmtr [1099511627775], Access granted"},
        {"4 single card", 4, 36, 0, 2, {0, 0, 0, 0, 9}, door2, ann, "Single Card [9], Access granted"},
        {"4 hidden keypad code", 4, 14, 0, 1, {0xFF, 0xF1, 0x23, 0x45}, door1, ann, "Keypad [#####], Access granted"},
        {"4 unknown keypad code", 4, 14, 0, 1, {0xFF, 0xFF, 0xFF, 0xF0}, door1, ann, "Keypad [0], Access granted"},
        {"4 unknown credential", 4, 99, 0, 0x11, {}, door1, ann, ", Access denied", kStoredLogError},
        {"5 priority access", 5, 33, 0, 1, {4}, door1, "Priority Access", "Locked closed"},
        {"5 panel operator", 5, 18, 0, 1, {0}, door1, "Panel operator", "Locked open"},
        {"5 host operator", 5, 35, 0, 1, {0}, door1, "Host operator", "Locked open"},
        {"5 other modifier", 5, 7, 0, 1, {0}, door1, kKeep, "Locked open"},
        {"6 host", 6, 35, 0, 2, {}, door2, "Host operator", "Unlocked"},
        {"6 panel", 6, 1, 0, 2, {}, door2, "Panel operator", "Unlocked"},
        {"7 postal key", 7, 19, 0, 1, {}, door1, "Postal Key", "Open request"},
        {"7 exit", 7, 18, 0, 1, {}, door1, "Request to exit", "Open request"},
        {"8 alarm", 8, 25, 0, 5, {}, node, kKeep, "Alarm"},
        {"8 empty entry", 8, 22, 0, 5, {}, node, kKeep, ""},
        {"8 past the table", 8, 27, 0, 5, {}, node, kKeep, kKeep, kStoredLogError},
        {"9 deactivated", 9, 0, 0x83, 1, {}, door1, "Time Zone 3", "Deactivated"},
        {"9 activated", 9, 0, 0x25, 1, {}, door1, "Time Zone 5", "Activated"},
        {"10 outward", 10, 2, 0, 3, {}, "[A2C] ", kKeep, "Panel Alarm ->{C}"},
        {"10 inward", 10, 129, 0, 3, {}, "[A2C] ", kKeep, "Panel Alarm <-{B}"},
        {"11 three digits", 11, 0, 0, 1, {0, 7}, door1, ann, "Phone [007] ->{T} ", {}, 2},
        {"11 dial-in door", 11, 0x81, 0, 1, {1, 2}, door1, ann, "Phone [258] ->{B} "},
        {"11 four digits", 11, 0, 0, 1, {0, 7}, door1, ann, "Phone [0007] ->{T} ", {}, 3},
        {"11 bad length", 11, 0, 0, 1, {0, 7}, door1, ann, "Phone [0] ->{T} ", {}, 9},
        {"12", 12, 0, 0, 6, {}, "[A] Main", "", "Priority Access dial in"},
        {"13", 13, 0, 0, 6, {}, "[A] Main", "Network command", kKeep},
        {"14 unknown transmitter", 14, 27, 0, 5, {0, 0, 0, 0, 5}, node, "Unknown transmitter", "Transmitter [5]"},
        {"14 unknown card", 14, 28, 0, 5, {0, 0, 0, 1, 0}, node, "Unknown card", "Card [256]"},
        {"14 unknown code", 14, 29, 0, 5, {0xFF, 0xF1, 0x23, 0x45}, node, "Unknown entry code", "Entry Code [12345]"},
        {"14 denied transmitter", 14, 32, 0, 5, {0, 0, 0, 0, 5}, node, "Access denied ", "Transmitter [5]"},
        {"14 denied card", 14, 33, 0, 5, {0, 0, 0, 0, 6}, node, "Access denied", "Card [6]"},
        {"14 denied code drops every F", 14, 34, 0, 5, {0x1F, 0xF2, 0x3F, 0x4F}, node, "Access denied",
         "Entry Code [1234]"},
        {"14 other", 14, 30, 0, 5, {}, node, kKeep, kKeep},
        {"15", 15, 34, 0, 7, {}, "Wardix", "Host", "Network time set"},
        {"16 open", 16, 1, 0, 5, {}, node, "", "Tamper switch open"},
        {"16 closed", 16, 0, 0, 5, {}, node, "", "Tamper switch closed"},
        {"17 database", 17, 0, 0, 5, {}, node, "", "Screen database problem"},
        {"17 update", 17, 1, 0, 5, {}, node, "", "Screen update error"},
        {"17 overflow", 17, 2, 0, 5, {}, node, "", "Screen generation overflow"},
        {"18 out", 18, 0, 0, 2, {0, 1, 2, 0, bob}, door2 + " (OUT)", "Bob", "Anti-passback violation"},
        {"18 in", 18, 0, 0, 2, {0, 1, 1, 0, bob}, door2 + " (IN)", "Bob", "Anti-passback violation"},
        {"18 neither", 18, 0, 0, 2, {0, 1, 0, 0, bob}, door2, "Bob", "Anti-passback violation"},
        {"18 nobody", 18, 0, 0, 2, {0, 1, 0, 0x7F, 0}, door2, "", "Anti-passback violation"},
        {"19 in", 19, 0, 0, 5, {0, 0, 1, 0, bob}, node, "Bob", "Anti-passback status set to \"In\""},
        {"19 neutral", 19, 0, 0, 5, {0, 0, 3, 0, bob}, node, "Bob", "Anti-passback status set to \"Neutral\""},
        {"19 other", 19, 0, 0, 5, {0, 0, 7, 0, bob}, node, "Bob", "Anti-passback status set to \"7\"."},
        {"20", 20, 0, 0, 5, {}, node, "", "Priority Access close"},
        {"21", 21, 0, 0, 5, {}, node, "", "Priority Access open 1 hour"},
        {"22", 22, 0, 0, 5, {0, 0, 5, 0, bob}, node, "Bob", "Tovix Mod1 relays: 1,3"},
        {"23 connection error", 23, 1, 5, 6, {}, "[A] Main", "", "Network connection error"},
        {"23 other context", 23, 1, 4, 6, {}, "[A] Main", kKeep, kKeep},
        {"0 is unknown", 0, 0, 0, 0, {}, "", kKeep, kKeep},
        {"24 is unknown", 24, 0, 0, 9, {}, "", kKeep, kKeep},
        {"255 is unknown", 255, 0, 0, 9, {}, "", kKeep, kKeep},
    };
    CSetEventLog row;
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxScript script;
        std::uint8_t length = c.codeLength;
        m_doc.DirectoryCodeLength(length, 0);
        row.m_Type = c.type;
        row.m_Mod = c.mod;
        row.m_Ctx = c.ctx;
        row.m_Door = c.door;
        row.m_NetNode = kNode;
        row.m_UserID = m_ann;
        row.m_Id0 = c.ids[0];
        row.m_Id1 = c.ids[1];
        row.m_Id2 = c.ids[2];
        row.m_Id3 = c.ids[3];
        row.m_Id4 = c.ids[4];
        row.m_Time = QDateTime(QDate(2004, 3, 5), QTime(14, 7, 9), Qt::UTC);
        QString time;
        QString door;
        QString modifier = kKeep;
        QString event = kKeep;
        row.GetColumnText(time, door, modifier, event);
        EXPECT_EQ(time, "03/05/04 - 14:07:09");
        EXPECT_EQ(door.toStdString(), c.doorText.toStdString());
        EXPECT_EQ(modifier.toStdString(), c.modifier.toStdString());
        EXPECT_EQ(event.toStdString(), c.event.toStdString());
        EXPECT_EQ(script.Texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
}

TEST_F(EventText, EntryCodeTextSkipsOnlyLeadingEmptyNibbles)
{
    const struct
    {
        std::array<std::uint8_t, 4> ids;
        const char* text;
    } cases[] = {
        {{0xFF, 0xF1, 0x23, 0x45}, "12345"}, {{0xFF, 0xFF, 0xFF, 0xF0}, "0"},  {{0xFF, 0xFF, 0xFF, 0xFF}, "?"},
        {{0x12, 0x34, 0x56, 0x78}, "12345678"}, {{0xF1, 0xF2, 0xFF, 0xFF}, "1?2????"},
    };
    CSetEventLog row;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        row.m_Id0 = c.ids[0];
        row.m_Id1 = c.ids[1];
        row.m_Id2 = c.ids[2];
        row.m_Id3 = c.ids[3];
        EXPECT_EQ(row.GetEntryCodeText(), c.text);
    }
}

TEST_F(EventText, AddEventStoresOneWholeRowAndMakesItCurrent)
{
    const QDateTime when(QDate(2004, 6, 30), QTime(8, 15, 0), Qt::UTC);
    const long before = g_setEventLog.GetRecordCount();
    EXPECT_TRUE(g_setEventLog.AddEvent(4, 1, 2, 3, 4, 15, 5, 6, 0x12, m_ann, 0x11, when));
    EXPECT_EQ(g_setEventLog.GetRecordCount(), before + 1);
    EXPECT_EQ(CountRows(DatabasePath("EventLog.mdb"), "Eventlog"), before + 1) << "one insert, no blank row";
    const std::array<std::uint8_t, 11> stored = {g_setEventLog.m_Type, g_setEventLog.m_Id0,  g_setEventLog.m_Id1,
                                                 g_setEventLog.m_Id2,  g_setEventLog.m_Id3,  g_setEventLog.m_Mod,
                                                 g_setEventLog.m_Ctx,  g_setEventLog.m_Ctx2, g_setEventLog.m_NetNode,
                                                 g_setEventLog.m_Door, g_setEventLog.m_Id4};
    EXPECT_EQ(stored, (std::array<std::uint8_t, 11>{4, 1, 2, 3, 4, 15, 5, 6, 0x12, 0x11, 0}));
    EXPECT_EQ(g_setEventLog.m_UserID, m_ann);
    EXPECT_EQ(g_setEventLog.m_Time, when);
}

// Events arrive out of time order (a panel's log read after the host's own
// events): each one takes its place in the log's order, newest first.
TEST_F(EventText, AddedEventsAreWalkedAndFoundNewestFirst)
{
    const QDateTime base(QDate(2004, 6, 30), QTime(8, 0, 0), Qt::UTC);
    const int offsets[] = {20, 10, 30, 20, 5};
    for (int i = 0; i < 5; ++i)
        g_setEventLog.AddEvent(15, static_cast<std::uint8_t>(i), 0, 0, 0, 0, 0, 0, 0, 0, 7, base.addSecs(offsets[i]));
    std::vector<int> walked;
    for (g_setEventLog.MoveFirst(); !g_setEventLog.IsEOF(); g_setEventLog.MoveNext())
        if (g_setEventLog.m_Time >= base)
            walked.push_back(g_setEventLog.m_Id0);
    // Equal times: the later row first.
    EXPECT_EQ(walked, (std::vector<int>{2, 3, 0, 1, 4}));
    ASSERT_TRUE(g_setEventLog.FindFirst(QStringLiteral("Type = 15 AND Id0 < 2")));
    EXPECT_EQ(g_setEventLog.m_Id0, 0);
    ASSERT_TRUE(g_setEventLog.FindNext(QStringLiteral("Type = 15 AND Id0 < 2")));
    EXPECT_EQ(g_setEventLog.m_Id0, 1);
}

TEST_F(EventText, AddEventOnAClosedLogShowsTheErrorAndStillReturnsTrue)
{
    CSetEventLog closed;
    MessageBoxScript script;
    EXPECT_TRUE(closed.AddEvent(15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, QDateTime::currentDateTimeUtc()));
    EXPECT_EQ(script.Shown().size(), 1);
}
