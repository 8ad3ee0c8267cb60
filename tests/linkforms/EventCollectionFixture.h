#pragma once

#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "link/CCommLink.h"
#include "link/CCommPort.h"
#include "link/CSerialTransport.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NetCommandKinds.h"
#include "link/StoredEventRules.h"
#include "link/WireFrame.h"
#include "platform/Profile.h"
#include "tests/app/ProgrammingRunFixture.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/fixtures/SimulatedNetwork.h"
#include "tests/link/FakeLinkParts.h"

#include <QSet>

#include <gtest/gtest.h>

#include <map>
#include <set>

// The communication form as the shell's helpers see it, over the link.
class LinkFormStandIn : public ICommControlForm
{
public:
    explicit LinkFormStandIn(CCommLink& link) : m_link(link) { SetCommControlForm(this); }
    ~LinkFormStandIn() override { SetCommControlForm(nullptr); }
    bool IsConnected() const override { return m_link.IsConnected() != 0; }
    void Disconnect() override { m_link.Disconnect(); }
    int GoOnline() override { return 1; }
    void ServiceQueue() override { m_link.ServiceQueue(); }

private:
    CCommLink& m_link;
};

namespace EventCollection {

inline constexpr int kNetA = 1;

// Stored event number i of a node: every one different, with a valid time
// four seconds after the one before, of a type whose rule keeps the bytes.
inline QByteArray StoredEventOf(int node, int i)
{
    static constexpr std::uint8_t kTypes[] = {10, 12, 16, 17, 19, 20, 21, 22};
    const QDateTime time = QDateTime(QDate(2024, 5, 1), QTime(8, 0)).addSecs(4 * i);
    const int minutes = time.time().hour() * 60 + time.time().minute();
    const int day = time.date().day();
    QByteArray event(16, '\0');
    event[0] = char(kTypes[i % std::size(kTypes)]);
    event[1] = char(time.date().year() - 2000);
    event[2] = char(time.date().month() << 4 | day >> 1);
    event[3] = char((day & 1) << 7 | minutes >> 4);
    event[4] = char((minutes & 15) << 4 | time.time().second() / 4);
    for (int b = 5; b <= 9; ++b)
        event[b] = char(node * 16 + b);
    event[10] = char(i >> 8);
    event[11] = char(i & 0xFF);
    event[12] = char(i % 7);
    event[13] = char(i % 5);
    event[14] = char(i % 3);
    event[15] = char(node);
    return event;
}

// Every stored event of the nodes' first count events is in the log
// exactly once, field by field; nothing else is.
inline void ExpectLogHolds(const std::map<int, int>& countByNode)
{
    std::map<std::pair<int, int>, QByteArray> expected;
    for (const auto& [node, count] : countByNode) {
        for (int i = 0; i < count; ++i)
            expected[{0x10 | node, i}] = EventCollection::StoredEventOf(node, i);
    }
    g_setEventLog.Requery();
    std::set<std::pair<int, int>> seen;
    int rows = 0;
    for (g_setEventLog.MoveFirst(); !g_setEventLog.IsEOF(); g_setEventLog.MoveNext(), ++rows) {
        const std::pair<int, int> key{g_setEventLog.m_NetNode, g_setEventLog.m_Id5 << 8 | g_setEventLog.m_Id6};
        SCOPED_TRACE(testing::Message() << "node " << key.first << " event " << key.second);
        EXPECT_TRUE(seen.insert(key).second) << "stored twice";
        const auto it = expected.find(key);
        ASSERT_NE(it, expected.end()) << "not an event of the panels";
        const QByteArray& e = it->second;
        const auto at = [&](int i) { return static_cast<std::uint8_t>(e[i]); };
        EXPECT_EQ(g_setEventLog.m_Type, at(0));
        EXPECT_EQ(g_setEventLog.m_Time, *StoredEvent::DecodeTime(e));
        const std::uint8_t ids[] = {g_setEventLog.m_Id0, g_setEventLog.m_Id1, g_setEventLog.m_Id2,
                                    g_setEventLog.m_Id3, g_setEventLog.m_Id4};
        for (int b = 0; b < 5; ++b)
            EXPECT_EQ(ids[b], at(5 + b));
        EXPECT_EQ(g_setEventLog.m_Mod, at(12));
        EXPECT_EQ(g_setEventLog.m_Ctx, at(13));
        EXPECT_EQ(g_setEventLog.m_Ctx2, at(14));
        EXPECT_EQ(g_setEventLog.m_Ctx3, at(15));
    }
    EXPECT_EQ(rows, static_cast<int>(expected.size()));
}

} // namespace EventCollection

// The demo installation (network A, nodes 1-3) connected through the real
// serial link to simulated panels that hold stored events.
class EventCollectionRun : public ProgrammingRun
{
protected:
    void SetUp() override
    {
        ProgrammingRun::SetUp();
        if (HasFatalFailure())
            return;
        ResetLinkRunState();
        NetQueueState.fill(kNetworkStateNormal);
        // The log then holds the panels' events alone, not the demo's.
        g_setEventLog.DeleteAll();
        g_setEventLog.Requery();
        ReachPanelsOn(line);
        if (HasFatalFailure())
            return;
        for (int node : {1, 2, 3})
            line.WithNode(node, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
        host.pane = &pane;
        link.FillNetworkCombo();
    }
    void TearDown() override
    {
        link.Disconnect();
        CommPort.reset();
        ProgrammingRun::TearDown();
    }

    void GiveEvents(int node, int count)
    {
        line.WithNode(node, [&](PanelSimulator& panel) {
            for (int i = 0; i < count; ++i)
                panel.AddStoredEvent(EventCollection::StoredEventOf(node, i));
        });
    }
    QList<QByteArray> EventsHeldBy(int node)
    {
        QList<QByteArray> events;
        line.WithNode(node, [&](PanelSimulator& panel) { events = panel.StoredEvents(); });
        return events;
    }
    // Acknowledgements the program sent to a node.
    int AcksTo(int node) const
    {
        int acks = 0;
        for (const PanelLine::Traffic& t : line.TrafficLog())
            acks += t.fromProgram && Frame::ByteAt(t.frame, Frame::kCodeOffset) == NetKind::Ack
                && (Frame::ByteAt(t.frame, Frame::kAddressOffset) & 0x0F) == node;
        return acks;
    }

    void ExpectLogHolds(const std::map<int, int>& countByNode) { EventCollection::ExpectLogHolds(countByNode); }

    MessageBoxScript boxes;
    LinkTiming::ScopedScale timing{0.02};
    PanelLine line{EventCollection::kNetA, {1, 2, 3}};
    CSerialTransport transport;
    FakeLinkHost host;
    LinkMessageRecorder pane;
    CCommLink link{m_doc.m_netQueue, m_doc, transport, host};
    LinkFormStandIn form{link};
};
