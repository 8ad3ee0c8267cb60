#include "tests/database/EventLogFixture.h"

#include "app/CWFApp.h"
#include "app/CTabWFDatabase.h"
#include "app/CTabWFModemProberties.h"
#include "app/CTabWfAcountHolderFields.h"
#include "app/CTabWfAdvance.h"
#include "app/CTabWfPrint.h"
#include "database/COperatorStore.h"
#include "database/GlobalRecordsets.h"
#include "database/ITelephonyLines.h"
#include "platform/Clock.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <map>

namespace
{
class SetupPages : public EventLogFixture
{
protected:
    void SetUp() override
    {
        EventLogFixture::SetUp();
        Clock::Install(&m_clock);
    }
    void TearDown() override
    {
        Clock::Install(nullptr);
        EventLogFixture::TearDown();
    }

    FixedClock m_clock{QDateTime(QDate(2004, 7, 3), QTime(9, 30), Qt::UTC)};
};

// Three devices: a data modem, a voice-only line and a second data modem.
class FakeLines : public ITelephonyLines
{
public:
    TelephonyInit Initialize(int& deviceCount) override
    {
        deviceCount = 3;
        return TelephonyInit::Ok;
    }
    bool NegotiateApiVersion(int) override { return true; }
    std::optional<TelephonyLineCaps> GetDevCaps(int device) override
    {
        return TelephonyLineCaps{QStringLiteral("Line %1").arg(device), true, device != 1, true};
    }
    QIcon GetLineIcon(int) override { return {}; }
    void SetLinkLine(int device) override { linkLine = device; }
    void ShowDialingProperties(QWidget*) override {}

    int linkLine = -1;
};
} // namespace

TEST_F(SetupPages, DatabasePageSplitsAtTheDateItShows)
{
    for (const QDateTime& time : {QDateTime(QDate(2004, 3, 5), QTime(10, 0), Qt::UTC),
                                  QDateTime(QDate(2004, 7, 2), QTime(10, 0), Qt::UTC)})
        AddEventAt(time);
    CTabWFDatabase page(m_doc);
    EXPECT_EQ(page.DateEdit()->text(), "07/03/04");
    for (QWidget* control : {static_cast<QWidget*>(page.DateEdit()), static_cast<QWidget*>(page.OptimizeButton()),
                             static_cast<QWidget*>(page.ClearButton()), static_cast<QWidget*>(page.SplitButton())})
        EXPECT_TRUE(control->isEnabled());

    {
        MessageBoxScript script{IDCANCEL};
        page.SplitButton()->click();
        EXPECT_EQ(script.Texts(), QStringList{"This will permanently split the Event Log database."});
        EXPECT_EQ(g_setEventLog.GetRecordCount(), 2);
    }
    {
        MessageBoxScript script;
        page.DateEdit()->setText("02/30/04");
        page.SplitButton()->click();
        ASSERT_EQ(script.Texts().size(), 1) << "a date that does not exist is refused before the question";
        EXPECT_EQ(script.Shown().front().icon, MbIcon::Exclamation);
    }
    MessageBoxScript script{IDOK};
    page.DateEdit()->setText("07/01/04");
    page.SplitButton()->click();
    EXPECT_EQ(script.Texts(), (QStringList{"This will permanently split the Event Log database.",
                                           "Splitting of Event Log data base complete."}));
    EXPECT_TRUE(QFile::exists(Site() + "/Event Logs/03 05 04 - 07 01 04.mdb"));
    EXPECT_EQ(g_setEventLog.GetRecordCount(), 1);
}

TEST_F(SetupPages, DatabasePageClearsTheEventLogOnlyWhenConfirmed)
{
    AddEventAt(QDateTime(QDate(2004, 3, 5), QTime(10, 0), Qt::UTC));
    CTabWFDatabase page(m_doc);
    {
        MessageBoxScript script{IDCANCEL};
        page.ClearButton()->click();
        EXPECT_EQ(g_setEventLog.GetRecordCount(), 1);
    }
    MessageBoxScript script{IDOK};
    page.ClearButton()->click();
    EXPECT_EQ(script.Texts(),
              (QStringList{"This will permanently clear the event log database.", "Event Log Cleared."}));
    EXPECT_EQ(CountRows(DatabasePath("EventLog.mdb"), "Eventlog"), 0);
}

TEST_F(SetupPages, AccountHolderFieldsShowAndTakeBackTheFourLabels)
{
    CTabWfAcountHolderFields page;
    page.m_strLabels = {"Unit", "Badge", "", "Vehicle"};
    page.show();
    for (int i = 0; i < CTabWfAcountHolderFields::kFieldCount; ++i) {
        EXPECT_EQ(page.LabelEdit(i)->text(), page.m_strLabels[std::size_t(i)]);
        EXPECT_TRUE(page.LabelEdit(i)->isEnabled());
    }
    page.LabelEdit(2)->setText(QString(30, 'x'));
    EXPECT_EQ(page.LabelEdit(2)->text(), QString(24, 'x')) << "labels hold at most 24 characters";
    page.UpdateData(true);
    EXPECT_EQ(page.m_strLabels, (std::array<QString, 4>{"Unit", "Badge", QString(24, 'x'), "Vehicle"}));
}

TEST_F(SetupPages, DialingPageWithoutModemsSaysSoAndListsNothing)
{
    CTabWFModemProberties page;
    page.m_nLineDevice = 0;
    MessageBoxScript script;
    page.show();
    EXPECT_EQ(script.Texts(), QStringList{"You have no telephony devices (modems) configured"});
    EXPECT_EQ(page.LineList()->count(), 0);
    page.UpdateData(true);
    EXPECT_EQ(page.m_nLineDevice, 0) << "nothing selected keeps the stored line";
}

TEST_F(SetupPages, DialingPageListsDataModemsByDeviceAndDropsAVanishedLine)
{
    FakeLines lines;
    SetTelephonyLines(&lines);
    CTabWFModemProberties page;
    page.m_nLineDevice = 5;
    MessageBoxScript script;
    page.show();
    EXPECT_EQ(script.Texts(),
              QStringList{"Your modem configuration has changed.\nPlease verify Wardenfold's modem selection"});
    EXPECT_EQ(page.m_nLineDevice, kNoModemLine);
    ASSERT_EQ(page.LineList()->count(), 2);
    EXPECT_EQ(page.LineList()->itemData(1).toInt(), 2) << "the voice-only line is not listed";
    page.LineList()->setCurrentIndex(1);
    EXPECT_EQ(lines.linkLine, 2);
    page.UpdateData(true);
    EXPECT_EQ(page.m_nLineDevice, 2);
    SetTelephonyLines(nullptr);
}

TEST_F(SetupPages, PrinterPageKeepsOneFontChosen)
{
    CTabWfPrint page;
    page.m_nCourierFont = 0;
    page.show();
    EXPECT_TRUE(page.TimesButton()->isChecked());
    EXPECT_FALSE(page.CourierButton()->isChecked());
    page.CourierButton()->click();
    EXPECT_EQ(page.m_nCourierFont, 1);
    EXPECT_FALSE(page.TimesButton()->isChecked());
    page.TimesButton()->click();
    EXPECT_EQ(page.m_nCourierFont, 0);
    EXPECT_TRUE(page.CourierButton()->isEnabled());
}

TEST_F(SetupPages, ClearQueueEmptiesTheQueueAndTheLastProgrammedCopies)
{
    const QString lastProgrammed = m_doc.BuildPath(CWFDoc::kLastProgrammed, QString());
    QDir().mkpath(lastProgrammed + "/kept folder");
    for (const char* name : {"Cardholders.dat", "Vestrel1.dat"}) {
        QFile file(lastProgrammed + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    m_doc.SetDataToProgram(0);
    CTabWfAdvance page(m_doc);
    {
        MessageBoxScript script{IDNO};
        page.ClearQueueButton()->click();
        EXPECT_EQ(QDir(lastProgrammed).entryList(QDir::Files).size(), 2);
    }
    MessageBoxScript script{IDYES};
    page.ClearQueueButton()->click();
    EXPECT_EQ(script.Texts(),
              (QStringList{"Are you sure you want to clear the command queue?", "Command queue cleared."}));
    EXPECT_TRUE(QDir(lastProgrammed).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(lastProgrammed + "/kept folder").exists());
    EXPECT_EQ(m_doc.GetDataToProgram(), 1);
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 0);

    MessageBoxScript again{IDYES};
    page.ClearQueueButton()->click();
    EXPECT_EQ(again.Texts().last(), "Command queue cleared.") << "an empty folder is no error";
}

TEST_F(SetupPages, ControlsAreGreyedWithoutTheirRights)
{
    const struct
    {
        const char* name;
        int privilege;
        bool configure;
        bool fonts;
    } cases[] = {
        {"reports only", 1, false, false},
        {"configure the installation", 4, true, false},
        {"all global programming", 5, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        COperatorStore store;
        const int slot = store.AddOperator(QLatin1String(c.name));
        store.WriteOperatorInt(COperatorStore::PrivilegeKey(c.privilege), 1);
        CWFApp app;
        ASSERT_TRUE(app.SelectOperator(slot));

        CTabWFDatabase database(m_doc);
        for (QWidget* control : {static_cast<QWidget*>(database.DateEdit()),
                                 static_cast<QWidget*>(database.OptimizeButton()),
                                 static_cast<QWidget*>(database.ClearButton()),
                                 static_cast<QWidget*>(database.SplitButton())})
            EXPECT_EQ(control->isEnabled(), c.configure);
        CTabWfAcountHolderFields fields;
        fields.show();
        for (int i = 0; i < CTabWfAcountHolderFields::kFieldCount; ++i)
            EXPECT_EQ(fields.LabelEdit(i)->isEnabled(), c.configure);
        MessageBoxScript script;
        CTabWFModemProberties dialing;
        dialing.show();
        EXPECT_EQ(dialing.LineList()->isEnabled(), c.configure);
        EXPECT_EQ(dialing.DialingPropertiesButton()->isEnabled(), c.configure);
        CTabWfPrint printer;
        printer.show();
        EXPECT_EQ(printer.CourierButton()->isEnabled(), c.fonts);
        EXPECT_EQ(printer.TimesButton()->isEnabled(), c.fonts);
        store.DeleteOperator();
    }
}
