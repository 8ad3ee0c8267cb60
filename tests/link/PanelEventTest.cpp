#include "common/Formatting.h"
#include "database/GlobalRecordsets.h"
#include "link/CPanelEvent.h"
#include "link/PanelEventFactory.h"
#include "platform/WindowMessages.h"
#include "tests/database/InstallationFixture.h"

#include <QObject>

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace {

constexpr std::uint8_t kLobby = 0x12; // network A, node 2, in the controller table
constexpr std::uint8_t kNowhere = 0x25; // not in it

struct Texts
{
    QString door;
    QString event;
    QString activator;
    std::uint32_t type = 0;
    int category = 0;
};

// Bytes 0 to 10 of an event record.
QByteArray Record(std::uint8_t address, std::uint8_t type, std::array<std::uint8_t, 8> bytes3to10 = {})
{
    QByteArray record;
    record.append(char(address)).append(char(8)).append(char(type));
    for (std::uint8_t b : bytes3to10)
        record.append(char(b));
    return record;
}

std::optional<Texts> Build(const QByteArray& record)
{
    std::optional<Texts> texts;
    BuildPanelEvent(record, [&](const CPanelEvent& event) {
        texts = Texts{event.GetDoorText(), event.GetEventText(), event.GetText(), event.GetType(), event.GetCategory()};
    });
    return texts;
}

class PanelEvents : public InstallationTest
{
protected:
    void SetUp() override
    {
        OpenAll();
        g_setVestrels.AddNew();
        g_setVestrels.m_NetAddress = 1;
        g_setVestrels.m_NodeAddress = 2;
        g_setVestrels.m_VestrelName = "Lobby";
        g_setVestrels.m_RelayAName = "Front";
        g_setVestrels.m_RelayBName = "Back";
        g_setVestrels.Update();
        m_ann = AddUser("Ann", "Smith");
        m_bob = AddUser("Bob", "");
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
    static void AddEntryCode(const char* code, double value, std::int32_t user, bool hidden)
    {
        g_setEntryCodes.AddNew();
        g_setEntryCodes.m_Code = code;
        g_setEntryCodes.m_dCode = value;
        g_setEntryCodes.m_UserID = user;
        g_setEntryCodes.m_Hidden = hidden;
        g_setEntryCodes.Update();
    }

    std::int32_t m_ann = 0;
    std::int32_t m_bob = 0;
};

} // namespace

TEST_F(PanelEvents, EachKindGivesItsTexts)
{
    ASSERT_EQ(m_ann, 1) << "the status case names cardholder 1 by byte 10";
    const std::uint8_t ann = std::uint8_t(m_ann);
    const QString node = "[A2]  Lobby";
    struct Case
    {
        const char* what;
        QByteArray record;
        Texts expected;
    };
    const Case cases[] = {
        {"door lock", Record(kLobby, 16, {0, 128, 0, 0, 0, 0, 0, ann}), {"[A2A] Front", "Lock", "Smith, Ann", 16 + 128 * 256, 0}},
        {"door forced open", Record(kLobby, 16, {1, 3}), {"[A2B] Back", "Force Alarm, Open", node, 16 + 3 * 256, 1}},
        {"door state without text", Record(kLobby, 16, {0, 5}), {"[A2A] Front", "", node, 16 + 5 * 256, 0}},
        {"door time-zone timing", Record(kLobby, 16, {0, 168}), {"[A2A] Front", "Time Zone Timing, Closed", node, 16 + 168 * 256, 4}},
        {"door of an unknown cardholder", Record(kLobby, 16, {0, 1, 0, 0, 0, 0, 0x03, 0xE7}), {"[A2A] Front", "Open", "Unknown Cardholder", 16 + 256, 0}},
        {"door of a panel not in the table", Record(kNowhere, 16, {0, 1}), {"", "Open", "", 16 + 256, 0}},
        {"dial-in, no priority", Record(kLobby, 17, {0}), {node, "", "", 17, 0}},
        {"dial-in, priority", Record(kLobby, 17, {1}), {node, "Priority Access", "Dial in", 17 + 256, 0}},
        {"unknown transmitter", Record(kLobby, 48, {0x12, 0x34, 0, 0, 0, 0, 1, 2}), {"Fac: 4, ID: 258", "Unknown Transmitter", node, 48, 2}},
        {"unknown card", Record(kLobby, 49, {0x12, 0x34, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}), {"Fac: 4660, ID: 4294967295", "Unknown Card", node, 48, 2}},
        {"unknown entry code", Record(kLobby, 50, {0, 0, 0, 0, 0x12, 0x3F, 0xFF, 0xFF}), {"Code: 123", "Unknown Entry Code", node, 48, 2}},
        {"tamper, no qualifier", Record(kLobby, 64, {0, 0, 0, 0, 0, 0, ann, 0}), {"closed", "Tamper switch", node, 64, 0}},
        {"tamper, qualified", Record(kLobby, 64, {0, 1, 0, 0, 0, 0, 0, 1}), {"open", "Tamper switch", "Smith, Ann", 64 + 256, 0}},
        {"tamper, odd status", Record(kLobby, 64, {0, 0, 0, 0, 0, 0, 0, 7}), {"status=7 is unknown", "Tamper switch", node, 64, 0}},
        {"status names cardholder 1", Record(kLobby, 80, {0, 0, 0, 0, 0, 0, 0, 1}), {"update error", "Screen status", "Smith, Ann", 80, 1}},
        {"status overflow", Record(kLobby, 80, {0, 0, 0, 0, 0, 0, 3, 2}), {"overflow", "Screen status", "Unknown Cardholder", 80, 1}},
        {"going out", Record(kLobby, 96, {0, 0, 0, 0, 1, 2}), {"[A2B] Back (OUT)", "Anti-passback violation", node, 96, 1}},
        {"odd direction", Record(kLobby, 96, {0, 0, 0, 0, 0, 5}), {"[A2A] Front status=5 is undefined", "Anti-passback violation", node, 96, 1}},
        {"elevator", Record(kLobby, 112, {0x01, 0x02, 0x04}), {FormatModuleRelays(0x04, 0x02, 0x01), "Elevator open / close", node, 112 + 2 * 256, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Texts> texts = Build(c.record);
        ASSERT_TRUE(texts);
        EXPECT_EQ(texts->door, c.expected.door);
        EXPECT_EQ(texts->event, c.expected.event);
        EXPECT_EQ(texts->activator, c.expected.activator);
        EXPECT_EQ(texts->type, c.expected.type);
        EXPECT_EQ(texts->category, c.expected.category);
    }
}

TEST_F(PanelEvents, OtherTypesAndShortRecordsBuildNothing)
{
    EXPECT_FALSE(Build(Record(kLobby, 20)));
    EXPECT_FALSE(Build(Record(kLobby, 16).left(CPanelEvent::kRecordSize - 1)));
}

TEST_F(PanelEvents, DeniedCredentialNamesItsOwner)
{
    g_setTransmitters.AddNew();
    g_setTransmitters.m_XmtrID = 258;
    g_setTransmitters.m_UserID = m_ann;
    g_setTransmitters.Update();
    g_setSingleCard.AddNew();
    g_setSingleCard.m_CardIDSingle = 77;
    g_setSingleCard.m_UserIDSingle = m_bob;
    g_setSingleCard.Update();
    AddEntryCode("42", 42, m_bob, false);
    AddEntryCode("0042", 42, m_ann, true);

    const QString node = "[A2]  Lobby";
    struct Case
    {
        const char* what;
        QByteArray record;
        QString door;
        QString event;
        QString activator;
    };
    const Case cases[] = {
        {"block transmitter", Record(kLobby, 32, {0, 9, 0, 0, 0, 0, 1, 2}), "Fac: 9, ID: 258", "Access Denied Transmitter", "Smith, Ann"},
        {"single card", Record(kLobby, 33, {1, 0, 0, 0, 0, 0, 0, 77}), "Fac: 256, ID: 77", "Access Denied Card", "Bob"},
        {"nobody's card", Record(kLobby, 33, {0, 0, 0, 0, 0, 0, 0, 78}), "Fac: 0, ID: 78", "Access Denied Card", node},
        {"code with its zeros", Record(kLobby, 34, {0, 0, 0, 0, 0x00, 0x42, 0xFF, 0xFF}), "Code: ####", "Access Denied Entry Code", "Smith, Ann"},
        {"code without", Record(kLobby, 34, {0, 0, 0, 0, 0x42, 0xFF, 0xFF, 0xFF}), "Code: 42", "Access Denied Entry Code", "Bob"},
        {"same value, other digits", Record(kLobby, 34, {0, 0, 0, 0, 0x04, 0x2F, 0xFF, 0xFF}), "Code: 42", "Access Denied Entry Code", "Bob"},
        {"code of nobody", Record(kLobby, 34, {0, 0, 0, 0, 0x7F, 0xFF, 0xFF, 0xFF}), "Code: 7", "Access Denied Entry Code", node},
        {"no digits", Record(kLobby, 34, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}), "Code: ", "Access Denied Entry Code", node},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Texts> texts = Build(c.record);
        ASSERT_TRUE(texts);
        EXPECT_EQ(texts->door, c.door);
        EXPECT_EQ(texts->event, c.event);
        EXPECT_EQ(texts->activator, c.activator);
        EXPECT_EQ(texts->type, 32u);
        EXPECT_EQ(texts->category, 3);
    }
}

TEST_F(PanelEvents, PaneGetsTheEventDuringTheSendOnly)
{
    struct Pane : QObject
    {
        bool event(QEvent* e) override
        {
            const auto* message = e->type() == AppMessageEvent::Type() ? static_cast<AppMessageEvent*>(e) : nullptr;
            if (message && message->msg == Msg::PanelEvent) {
                const auto* panelEvent = reinterpret_cast<const CPanelEvent*>(message->lParam);
                seen.push_back(panelEvent->GetEventText());
                return true;
            }
            return QObject::event(e);
        }
        std::vector<QString> seen;
    } pane;
    PostEventRecord(Record(kLobby, 16, {0, 128}), &pane);
    PostEventRecord(Record(kLobby, 20), &pane);
    EXPECT_EQ(pane.seen, std::vector<QString>{"Lock"});
}
