#include "app/CColumnWidths.h"
#include "app/CWFDoc.h"
#include "database/GlobalRecordsets.h"
#include "reports/eventlog/CEventCardholdersTab.h"
#include "reports/eventlog/CEventDatesTab.h"
#include "reports/eventlog/CEventDoorsTab.h"
#include "reports/eventlog/CEventOperatorsTab.h"
#include "reports/eventlog/CEventTypesTab.h"
#include "tests/app/DocumentFixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

// The demo installation open, a controller at address 2/3 on network B with
// door selections 0, 2 and 3 and other bits set, one at an unknown network,
// a deleted cardholder and one with a first name only.
class EventFilterPages : public DocumentFixture
{
protected:
    static constexpr std::uint8_t kStoredDoors = 0xFD;

    void SetUp() override
    {
        DocumentFixture::SetUp();
        QString error;
        const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(demo.isEmpty()) << error.toStdString();
        ASSERT_TRUE(m_doc.OnOpenDocument(demo));
        ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 2"));
        AddController(2, 3, g_setVLNetworks.m_NodeID, kStoredDoors);
        AddController(4, 4, 9999, 0x0F);
        AddCardholder("Zed", "Deleted", true);
        AddCardholder("Mona", "", false);
    }
    void TearDown() override { m_doc.OnCloseDocument(); }

    static void AddController(int net, int node, std::int32_t networkId, std::uint8_t lastEventLog)
    {
        g_setVestrels.AddNew();
        g_setVestrels.m_NetAddress = static_cast<std::uint8_t>(net);
        g_setVestrels.m_NodeAddress = static_cast<std::uint8_t>(node);
        g_setVestrels.m_NodeID = networkId;
        g_setVestrels.m_VestrelName = "Annex";
        g_setVestrels.m_RelayBName = "Back Door";
        g_setVestrels.m_LastEventLog = lastEventLog;
        g_setVestrels.Update();
    }
    static void AddCardholder(const QString& first, const QString& last, bool deleted)
    {
        g_setUsers.AddNew();
        g_setUsers.m_FirstName = first;
        g_setUsers.m_LastName = last;
        g_setUsers.m_Deleted = deleted;
        g_setUsers.Update();
    }
    static std::uint8_t ControllerBits(int net, int node)
    {
        EXPECT_TRUE(g_setVestrels.FindFirst(QStringLiteral("NetAddress = %1 AND NodeAddress = %2").arg(net).arg(node)));
        return g_setVestrels.m_LastEventLog;
    }

    static QStringList Texts(const CEventListTab& page)
    {
        QStringList texts;
        for (const FilterEntry& entry : page.Entries())
            texts << entry.text;
        return texts;
    }
    static void Check(CEventListTab& page, const QString& text, bool checked = true)
    {
        const QList<QListWidgetItem*> items = page.List()->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        items.first()->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    static QStringList Checked(const CEventListTab& page)
    {
        QStringList texts;
        for (const FilterEntry& entry : page.Entries()) {
            if (entry.checked)
                texts << entry.text;
        }
        return texts;
    }

    CWFDoc m_doc;
    CColumnWidths m_settings;
    MessageBoxScript m_boxes;
};

TEST_F(EventFilterPages, TypesStandAlphabeticallyAndTheMaskCountsListPositions)
{
    {
        CEventTypesTab page(m_settings);
        const QStringList texts = Texts(page);
        ASSERT_EQ(texts.size(), 13);
        EXPECT_EQ(texts.first(), "Access granted");
        EXPECT_EQ(texts.last(), "Wardenfold logs");
        QStringList sorted = texts;
        sorted.sort(Qt::CaseInsensitive);
        EXPECT_EQ(texts, sorted);
        page.UpdateData();
        EXPECT_EQ(page.m_strFilter, "");

        Check(page, "Unknown transmitter");
        Check(page, "Access granted");
        page.UpdateData();
        EXPECT_EQ(page.m_strFilter, "Type = 4 OR Type = 14");
        page.OnClose();
        EXPECT_EQ(m_settings.m_selectedEvents, 1 | 1 << 10);
    }
    const struct
    {
        int mask;
        QStringList checked;
    } cases[] = {{1, {"Access granted"}}, {1 << 12, {"Wardenfold logs"}}, {0, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        m_settings.m_selectedEvents = c.mask;
        CEventTypesTab page(m_settings);
        EXPECT_EQ(Checked(page), c.checked);
        page.OnClose();
        EXPECT_EQ(m_settings.m_selectedEvents, c.mask);
    }
}

TEST_F(EventFilterPages, DoorsAreKeyedByNetworkNodeAndDoorAndStoredInTheirControllerBits)
{
    CEventDoorsTab page;
    std::vector<int> keys;
    for (const FilterEntry& entry : page.Entries()) {
        if (entry.text.startsWith("[B3"))
            keys.push_back(entry.value);
    }
    EXPECT_EQ(keys, (std::vector<int>{0x123, 0x223, 0x323, 0x423}));
    // Three demo controllers and the one on network B; none for the unknown network.
    EXPECT_EQ(page.Entries().size(), 16u);
    EXPECT_EQ(Checked(page), (QStringList{"[B3A] ", "[B3C] ", "[B3D] "}));

    page.OnUncheckAll();
    Check(page, "[B3B] Back Door");
    page.UpdateData();
    EXPECT_EQ(page.m_strFilter, "(NetNode = 35 AND ([Door] = 2 OR [Door] = 18))");
    page.OnClose();
    EXPECT_EQ(ControllerBits(2, 3), 0xF2);
    EXPECT_EQ(ControllerBits(4, 4), 0x0F);
    EXPECT_TRUE(m_boxes.Texts().isEmpty());

    CEventDoorsTab again;
    EXPECT_EQ(Checked(again), QStringList{"[B3B] Back Door"});
}

TEST_F(EventFilterPages, CardholdersListTheLivingByDisplayName)
{
    CEventCardholdersTab page;
    EXPECT_EQ(Texts(page), (QStringList{"Lindqvist, Chloe", "Mona", "Okafor, Ben", "Patel, Dev", "Ramirez, Ada"}));
    Check(page, "Okafor, Ben");
    Check(page, "Mona");
    page.UpdateData();
    ASSERT_TRUE(g_setUsers.FindFirst("FirstName = 'Mona'"));
    const std::int32_t mona = g_setUsers.m_UserID;
    ASSERT_TRUE(g_setUsers.FindFirst("FirstName = 'Ben'"));
    EXPECT_EQ(page.m_strFilter, QStringLiteral("(UserID = %1) OR (UserID = %2)").arg(mona).arg(g_setUsers.m_UserID));
    page.OnClose();
    EXPECT_EQ(g_setUsers.m_LastEventLog & 1, 1);

    CEventCardholdersTab again;
    EXPECT_EQ(Checked(again), (QStringList{"Mona", "Okafor, Ben"}));
}

TEST_F(EventFilterPages, UncheckAllThenCloseClearsEveryStoredSelection)
{
    m_settings.m_selectedEvents = 0x1FFF;
    {
        CEventTypesTab types(m_settings);
        CEventCardholdersTab cardholders;
        for (int i = 0; i < cardholders.List()->count(); ++i)
            cardholders.List()->item(i)->setCheckState(Qt::Checked);
        cardholders.OnClose();
    }
    CEventTypesTab types(m_settings);
    CEventDoorsTab doors;
    CEventCardholdersTab cardholders;
    EXPECT_EQ(Checked(types).size(), 13);
    EXPECT_EQ(Checked(cardholders).size(), 5);
    for (CEventListTab* page : std::initializer_list<CEventListTab*>{&types, &doors, &cardholders}) {
        page->OnUncheckAll();
        page->UpdateData();
        EXPECT_EQ(page->m_strFilter, "");
        page->OnClose();
    }
    EXPECT_EQ(m_settings.m_selectedEvents, 0);
    EXPECT_EQ(ControllerBits(2, 3), 0xF0);
    for (g_setUsers.MoveFirst(); !g_setUsers.IsEOF(); g_setUsers.MoveNext()) {
        if (!g_setUsers.m_Deleted)
            EXPECT_EQ(g_setUsers.m_LastEventLog & 1, 0) << g_setUsers.m_FirstName.toStdString();
    }
}

TEST_F(EventFilterPages, OperatorsWriteTheirCodesInOrderAndKeepNothing)
{
    CEventOperatorsTab page;
    page.Box(4)->setChecked(true);
    page.Box(3)->setChecked(true);
    page.UpdateData();
    EXPECT_EQ(page.m_strFilter, "(UserID = -4) OR (UserID = -5)");
    EXPECT_EQ(page.Box(0)->text(), "Panel operators");
    page.OnUncheckAll();
    page.UpdateData();
    EXPECT_EQ(page.m_strFilter, "");
}

TEST_F(EventFilterPages, DatesRoundTripUnderAnotherLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
        CEventDatesTab page(m_settings);
        EXPECT_TRUE(page.AllDates()->isChecked());
        EXPECT_FALSE(page.FromDate()->isEnabled());
        EXPECT_EQ(page.FromDate()->date(), QDate(2004, 1, 1));
        page.UpdateData();
        EXPECT_EQ(page.m_strFilter, "");

        page.AllDates()->click();
        EXPECT_TRUE(page.FromDate()->isEnabled());
        EXPECT_TRUE(page.ToDate()->isEnabled());
        page.FromDate()->setDate(QDate(2004, 2, 1));
        page.ToDate()->setDate(QDate(2004, 2, 29));
        page.OnClose();
        EXPECT_EQ(page.m_strFilter, "[Time] BETWEEN #02/01/2004 00:00:00# AND #02/29/2004 23:59:59#");
    }
    EXPECT_EQ(m_settings.m_allDatesChecked, 0);
    EXPECT_EQ(m_settings.m_eventStartSearchDate, "02/01/2004");
    EXPECT_EQ(m_settings.m_eventStopSearchDate, "02/29/2004");

    CEventDatesTab page(m_settings);
    EXPECT_FALSE(page.AllDates()->isChecked());
    EXPECT_EQ(page.FromDate()->date(), QDate(2004, 2, 1));
    EXPECT_EQ(page.ToDate()->date(), QDate(2004, 2, 29));
    QLocale::setDefault(previous);
}

} // namespace
