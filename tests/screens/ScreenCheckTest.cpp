#include "app/CAboutDlg.h"
#include "app/CBackupDlg.h"
#include "app/CDlgDstPleaseConnect.h"
#include "app/CDlgDstTimeSent.h"
#include "app/CInstallationsDlg.h"
#include "app/CLoginDlg.h"
#include "app/CMainFrame.h"
#include "app/CModemLinesDlg.h"
#include "app/CNewInstallationDlg.h"
#include "app/COpenInstallationDlg.h"
#include "app/CPercentProgressDlg.h"
#include "app/CProgressDlg.h"
#include "app/CSaveAsInstallationDlg.h"
#include "app/CStartupDlg.h"
#include "app/CWFSetupSheet.h"
#include "cardholders/CChangeCredentialStatusDlg.h"
#include "cardholders/CIndividualDlg.h"
#include "cardholders/CMoveCardholderDlg.h"
#include "cardholders/CNewBlockDlg.h"
#include "app/CWFDoc.h"
#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "config/CDlgEditDisplayMessage.h"
#include "config/CDlgEditFloorName.h"
#include "link/CConnectAttempt.h"
#include "link/CSerialTransport.h"
#include "link/LinkConnection.h"
#include "linkforms/CAutoPilotDlg.h"
#include "linkforms/CCommControlForm.h"
#include "linkforms/CDlgConnectFailed.h"
#include "linkforms/CDlgConnecting.h"
#include "linkforms/CDlgNetworkConnection.h"
#include "linkforms/CDlgPutFlashFailed.h"
#include "linkforms/CDlgSetNetTime.h"
#include "linkforms/CDownloadNodeDlg.h"
#include "linkforms/CEventPollDlg.h"
#include "linkforms/CNewNodeWizard.h"
#include "linkforms/CommFormNodeCommandHost.h"
#include "cardholders/CRPUser.h"
#include "cardholders/CUserMediaTab.h"
#include "platform/ControlRegistry.h"
#include "zonectl/CQZRangeDlg.h"
#include "tests/screens/ScreenCheck.h"
#include "tests/screens/ScreenTour.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <functional>
#include <map>
#include <memory>

#include <gtest/gtest.h>

namespace {

bool InsideTabs(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<const QTabWidget*>(p))
            return true;
    }
    return false;
}

void ExpectNoFaults(QWidget* window, const QString& where)
{
    const QStringList faults = ScreenCheck::Faults(window);
    EXPECT_TRUE(faults.isEmpty()) << where.toStdString() << ":\n  " << faults.join(QStringLiteral("\n  ")).toStdString();
}

// Each page of the tab widget, and of the tab widgets on its pages.
void ExpectPagesReadable(QWidget* window, QTabWidget* tabs, const QString& where)
{
    const int shown = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        ScreenTour::Settle();
        const QString page = QStringLiteral("%1, page \"%2\"").arg(where, tabs->tabText(i));
        ExpectNoFaults(window, page);
        for (QTabWidget* inner : tabs->widget(i)->findChildren<QTabWidget*>()) {
            if (inner->isVisible())
                ExpectPagesReadable(window, inner, page);
        }
    }
    tabs->setCurrentIndex(shown);
    ScreenTour::Settle();
}

// The window as it opens, then every page of its tab widgets.
void ExpectReadable(QWidget* window, const QString& where)
{
    ExpectNoFaults(window, where);
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        if (tabs->isVisible() && !InsideTabs(tabs))
            ExpectPagesReadable(window, tabs, where);
    }
}

class Screens : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ControlRegistry::SetLocation(QString::fromUtf8(TEST_CONTROL_REGISTRY));
        ASSERT_TRUE(tour.Start());
    }
    void TearDown() override { ControlRegistry::SetLocation({}); }

    TestEnvironment env;
    MessageBoxScript boxes;
    ScreenTour tour;
};

TEST_F(Screens, EveryViewOfTheMainWindowIsReadableAtTheDefaultSize)
{
    const QSize size = tour.Frame()->size();
    for (const ScreenTour::Stop& stop : ScreenTour::Stops()) {
        SCOPED_TRACE(stop.name.toStdString());
        ASSERT_TRUE(stop.go(tour)) << "cannot reach it";
        ExpectReadable(tour.Frame(), stop.name);
        const QSize now = tour.Frame()->size();
        EXPECT_TRUE(now == size) << "the window grew from " << size.width() << "x" << size.height() << " to "
                                 << now.width() << "x" << now.height() << ": what it shows does not fit";
        tour.Frame()->resize(size);
    }
}

using DialogMaker = std::function<std::unique_ptr<QWidget>(ScreenTour&)>;

template <typename Dialog, typename... Args>
DialogMaker Make(Args... args)
{
    return [=](ScreenTour&) -> std::unique_ptr<QWidget> { return std::make_unique<Dialog>(args...); };
}

CCommLink& Link()
{
    return *static_cast<CCommControlForm*>(GetCommControlForm())->Link();
}

NetworkConnectionValues DialledNetwork()
{
    NetworkConnectionValues values;
    values.net = 1;
    values.enabled = true;
    values.name = QStringLiteral("Main Building");
    values.password = QStringLiteral("123456");
    values.useCountryAndArea = true;
    values.countryId = 1;
    values.areaCode = QStringLiteral("555");
    values.phoneNumber = QStringLiteral("1234567");
    return values;
}

std::unique_ptr<QWidget> ConnectingDialog(ScreenTour&)
{
    static CSerialTransport transport;
    auto* attempt = new CConnectAttempt(Link(), transport, 1);
    auto dialog = std::make_unique<CDlgConnecting>(*attempt, Link());
    attempt->setParent(dialog.get());
    return dialog;
}

DialogMaker IndividualDialog(CredentialKind kind)
{
    return [kind](ScreenTour& t) -> std::unique_ptr<QWidget> {
        return CIndividualDlg::Make(kind, t.Document(), nullptr);
    };
}

DialogMaker BlockDialog(CredentialKind kind)
{
    return [kind](ScreenTour& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<CNewBlockDlg>(kind, t.Document());
    };
}

TEST_F(Screens, EveryDialogIsReadableAtItsOwnSize)
{
    static CommFormNodeCommandHost host;
    const QString folder = tour.Document()->InstallationFolder();
    const struct
    {
        const char* name;
        DialogMaker make;
    } dialogs[] = {
        {"about", Make<CAboutDlg>(QStringLiteral("Dec 10 2026"), nullptr)},
        {"backup", Make<CBackupDlg>(folder, nullptr)},
        {"daylight saving, time sent", Make<CDlgDstTimeSent>(nullptr)},
        {"daylight saving, please connect", Make<CDlgDstPleaseConnect>(nullptr)},
        {"installations", Make<CInstallationsDlg>(0, nullptr)},
        {"login", [](ScreenTour&) -> std::unique_ptr<QWidget> {
             return std::make_unique<CLoginDlg>(GetApp()->GetOperators());
         }},
        {"modem lines", Make<CModemLinesDlg>(nullptr)},
        {"new installation", Make<CNewInstallationDlg>(folder, nullptr)},
        {"open installation", Make<COpenInstallationDlg>(nullptr)},
        {"save installation as", Make<CSaveAsInstallationDlg>(QStringLiteral("Demo"), folder, nullptr)},
        {"start-up", Make<CStartupDlg>(nullptr)},
        {"setup", [](ScreenTour& t) -> std::unique_ptr<QWidget> {
             return std::make_unique<CWFSetupSheet>(*t.Document(), GetApp()->Settings(),
                                                    GetApp()->GetOperators().GetSlot());
         }},
        {"progress", Make<CProgressDlg>(QStringLiteral("Generating Event log report..."))},
        {"percent progress", Make<CPercentProgressDlg>(QStringLiteral("Generating Event log report..."))},
        {"credential status", Make<CChangeCredentialStatusDlg>(nullptr)},
        {"individual card", IndividualDialog(CredentialKind::Card)},
        {"individual transmitter", IndividualDialog(CredentialKind::Transmitter)},
        {"move cardholder", Make<CMoveCardholderDlg>(std::int32_t{1}, QStringLiteral("Ramirez Ada"), nullptr)},
        {"new card block", BlockDialog(CredentialKind::Card)},
        {"new transmitter block", BlockDialog(CredentialKind::Transmitter)},
        {"display message", Make<CDlgEditDisplayMessage>(nullptr)},
        {"floor name", Make<CDlgEditFloorName>(CDlgEditFloorName::kAddMode, nullptr)},
        {"auto pilot", [](ScreenTour& t) -> std::unique_ptr<QWidget> {
             return std::make_unique<CAutoPilotDlg>(AutoPilot(t.Document()->m_netQueue));
         }},
        {"connection failed", Make<CDlgConnectFailed>(QLatin1Char('A'), ConnectFail::kBusy, nullptr)},
        {"network connection", Make<CDlgNetworkConnection>(DialledNetwork(), nullptr)},
        {"connecting", ConnectingDialog},
        {"flash failed", Make<CDlgPutFlashFailed>(std::uint8_t{0x12}, nullptr)},
        {"set network time", [](ScreenTour& t) -> std::unique_ptr<QWidget> {
             return std::make_unique<CDlgSetNetTime>(t.Document()->m_netQueue, Link());
         }},
        {"download node", [](ScreenTour& t) -> std::unique_ptr<QWidget> {
             return std::make_unique<CDownloadNodeDlg>(t.Document()->m_netQueue, host,
                                                       t.Document()->GetDownloadFolder(1, 1), 1, 1);
         }},
        {"event poll", [](ScreenTour& t) -> std::unique_ptr<QWidget> {
             return std::make_unique<CEventPollDlg>(Link(), t.Document()->m_netQueue, *t.Document());
         }},
        {"new node", [](ScreenTour& t) -> std::unique_ptr<QWidget> {
             return std::make_unique<CNewNodeWizard>(t.Document()->m_netQueue, host, 1, 4);
         }},
        {"schedule bar range", [](ScreenTour&) -> std::unique_ptr<QWidget> {
             auto dialog = std::make_unique<CQZRangeDlg>();
             dialog->SetLabel(QStringLiteral("Time Zone 1, period 2"));
             dialog->SetBegin(8 * 60);
             dialog->SetEnd(17 * 60 + 30);
             return dialog;
         }},
    };
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.name);
        const std::unique_ptr<QWidget> dialog = d.make(tour);
        ASSERT_NE(dialog, nullptr);
        dialog->show();
        ScreenTour::Settle();
        ExpectReadable(dialog.get(), QString::fromLatin1(d.name));
        dialog->hide();
    }
}

// Their titles were cut by the frame and their facility codes scrolled
// sideways at the size they opened at.
TEST_F(Screens, CredentialAndConnectingDialogsAreAsWideAsTheirTexts)
{
    const struct
    {
        const char* name;
        DialogMaker make;
    } dialogs[] = {
        {"individual card", IndividualDialog(CredentialKind::Card)},
        {"individual transmitter", IndividualDialog(CredentialKind::Transmitter)},
        {"new card block", BlockDialog(CredentialKind::Card)},
        {"new transmitter block", BlockDialog(CredentialKind::Transmitter)},
        {"connecting", ConnectingDialog},
    };
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.name);
        const std::unique_ptr<QWidget> dialog = d.make(tour);
        dialog->show();
        ScreenTour::Settle();
        const QStringList faults = ScreenCheck::FitFaults(dialog.get());
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QStringLiteral("\n  ")).toStdString();
        dialog->hide();
    }
}

// The edit a caption names on the form.
QLineEdit* FieldOf(const QWidget* form, const char* caption)
{
    for (const QLabel* label : form->findChildren<QLabel*>()) {
        if (label->text() == QLatin1String(caption))
            return qobject_cast<QLineEdit*>(label->buddy());
    }
    return nullptr;
}

TEST_F(Screens, CardholderFieldsShowTheirUsualContentAndGrowWithTheWindow)
{
    const struct
    {
        const char* caption;
        int characters;
    } fields[] = {
        {"First Name:", 20}, {"Middle:", 20}, {"Last Name:", 20}, {"Street:", 45}, {"City:", 20},
        {"State:", 20},      {"Zip Code:", 15}, {"Home Phone:", 20}, {"Work Phone:", 20},
    };
    CRPUser* form = tour.CardholderForm(QStringLiteral("Office Staff"), 1);
    ASSERT_NE(form, nullptr);
    std::map<const char*, int> widths;
    for (const auto& f : fields) {
        SCOPED_TRACE(f.caption);
        QLineEdit* edit = FieldOf(form, f.caption);
        ASSERT_NE(edit, nullptr);
        EXPECT_GE(edit->maxLength(), f.characters);
        EXPECT_TRUE(ScreenCheck::Shows(edit, f.characters)) << edit->width() << " px";
        widths[f.caption] = edit->width();
    }
    const int pagesHigh = form->XmtrsPage()->height();

    tour.Frame()->resize(tour.Frame()->size() + QSize(400, 200));
    ScreenTour::Settle();
    for (const auto& f : fields) {
        SCOPED_TRACE(f.caption);
        EXPECT_GT(FieldOf(form, f.caption)->width(), widths[f.caption]);
    }
    EXPECT_GT(form->XmtrsPage()->height(), pagesHigh) << "the credentials take the height";
}

} // namespace
