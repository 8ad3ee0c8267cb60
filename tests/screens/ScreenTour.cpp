#include "tests/screens/ScreenTour.h"

#include "app/CLineButton.h"
#include "app/CMainFrame.h"
#include "app/RunState.h"
#include "app/ShellHooks.h"
#include "app/ViewCommands.h"
#include "cardholders/CMenuMedias.h"
#include "cardholders/CMenuUsers.h"
#include "cardholders/CRPUser.h"
#include "cardholders/CardholderViews.h"
#include "common/CommandIds.h"
#include "common/SharedHelpers.h"
#include "config/ConfigViews.h"
#include "database/GlobalRecordsets.h"
#include "image/NetworkPasswords.h"
#include "linkforms/LinkFormHooks.h"
#include "linkforms/LinkViews.h"
#include "platform/WindowMessages.h"
#include "reports/ReportViews.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// The credential menu's buttons, in their order on the menu.
constexpr int kCredentialButtons[] = {1338, 1339, 1337, 1341, 1340, 1343};
constexpr int kControllers = 3;

QTreeWidgetItem* SetItem(QTreeWidget* tree, const QString& prefix)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        if (tree->topLevelItem(i)->text(0).startsWith(prefix))
            return tree->topLevelItem(i);
    }
    return nullptr;
}

QTabWidget* TabsOf(QWidget* view)
{
    return view ? view->findChild<QTabWidget*>() : nullptr;
}

bool ShowTab(QWidget* view, int index)
{
    QTabWidget* tabs = TabsOf(view);
    if (!tabs || index >= tabs->count())
        return false;
    tabs->setCurrentIndex(index);
    return true;
}

bool OpenController(ScreenTour& tour, int node)
{
    if (!g_setVestrels.FindByAddress(1, node))
        return false;
    tour.Frame()->ReplaceRightView(PaneKind::NetworkSettings, QStringLiteral("CSingleVLSettingForm"),
                                   Msg::LoadController, static_cast<quintptr>(g_setVestrels.m_VestrelID));
    return tour.Frame()->RightView()->objectName() == QLatin1String("CSingleVLSettingForm");
}

} // namespace

ScreenTour::ScreenTour()
{
    RegisterReportViews();
    RegisterConfigViews();
    RegisterCardholderViews();
    RegisterLinkViews();
    InstallLinkFormHooks();
}

ScreenTour::~ScreenTour()
{
    if (m_frame)
        m_app.ExitInstance();
    Hooks() = ShellHooks{};
    QueueBeingCreated = 0;
    HasControllers = 0;
    g_pendingNodeRequest = {};
    NetworkPasswords::Reset();
}

bool ScreenTour::Start()
{
    if (!m_app.InitInstance({}))
        return false;
    m_frame = m_app.MainFrame();
    if (!m_frame)
        return false;
    m_frame->show();
    Settle();
    return true;
}

void ScreenTour::Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

void ScreenTour::Command(unsigned command)
{
    SendAppMessage(m_frame, Msg::WM_COMMAND, command);
    Settle();
}

CRPUser* ScreenTour::CardholderForm(const QString& set, int row)
{
    auto* menu = qobject_cast<CMenuUsers*>(m_frame->UpperLeftView());
    if (!menu) {
        Command(CommandId::CardholdersView);
        menu = qobject_cast<CMenuUsers*>(m_frame->UpperLeftView());
    }
    QTreeWidgetItem* item = menu ? SetItem(menu->Tree(), set) : nullptr;
    if (!item || row >= item->childCount())
        return nullptr;
    menu->Tree()->setCurrentItem(item->child(row));
    Settle();
    return qobject_cast<CRPUser*>(m_frame->RightView());
}

bool ScreenTour::ClickLeft(const QString& caption)
{
    QWidget* left = m_frame->UpperLeftView();
    if (!left)
        return false;
    for (QAbstractButton* button : left->findChildren<QAbstractButton*>()) {
        if (button->text() == caption) {
            button->click();
            Settle();
            return true;
        }
    }
    return false;
}

bool ScreenTour::RightTab(int index)
{
    const bool shown = ShowTab(m_frame->RightView(), index);
    Settle();
    return shown;
}

bool ScreenTour::LeftTab(int index)
{
    const bool shown = ShowTab(m_frame->UpperLeftView(), index);
    Settle();
    return shown;
}

std::vector<ScreenTour::Stop> ScreenTour::Stops()
{
    using namespace CommandId;
    const auto command = [](unsigned id) {
        return [id](ScreenTour& t) {
            t.Command(id);
            return true;
        };
    };
    std::vector<Stop> stops = {
        {QStringLiteral("navigation"), command(NavigationView)},
        {QStringLiteral("cardholder sets"), command(CardholdersView)},
        {QStringLiteral("cardholder set"),
         [](ScreenTour& t) {
             t.Command(CardholdersView);
             auto* menu = qobject_cast<CMenuUsers*>(t.Frame()->UpperLeftView());
             QTreeWidgetItem* item = menu ? SetItem(menu->Tree(), QStringLiteral("Office Staff")) : nullptr;
             if (!item)
                 return false;
             menu->Tree()->setCurrentItem(item);
             Settle();
             return true;
         }},
        {QStringLiteral("cardholder"),
         [](ScreenTour& t) { return t.CardholderForm(QStringLiteral("Office Staff"), 1) != nullptr; }},
    };
    const char* pages[] = {"Transmitters", "Cards", "Directory Codes", "Entry Codes"};
    for (int p = 0; p < 4; ++p) {
        stops.push_back({QStringLiteral("cardholder, %1 page").arg(QLatin1String(pages[p])), [p](ScreenTour& t) {
                             CRPUser* form = t.CardholderForm(QStringLiteral("Office Staff"), 1);
                             if (!form)
                                 return false;
                             form->PageButton(p)->click();
                             Settle();
                             return true;
                         }});
    }
    stops.push_back({QStringLiteral("cardholder with an expiry date"), [](ScreenTour& t) {
                         CRPUser* form = t.CardholderForm(QStringLiteral("Office Staff"), 0);
                         if (!form || !form->NeverExpires()->isChecked())
                             return false;
                         form->NeverExpires()->click();
                         Settle();
                         return form->ExpirationPicker()->isVisible();
                     }});
    for (int id : kCredentialButtons) {
        stops.push_back({QStringLiteral("credentials %1").arg(id), [id](ScreenTour& t) {
                             t.Command(CredentialsView);
                             auto* menu = qobject_cast<CMenuMedias*>(t.Frame()->UpperLeftView());
                             if (!menu || !menu->Button(id))
                                 return false;
                             menu->Button(id)->click();
                             Settle();
                             return true;
                         }});
    }
    stops.push_back({QStringLiteral("network status"), command(NetworkView)});
    for (int node = 1; node <= kControllers; ++node) {
        stops.push_back({QStringLiteral("controller %1").arg(node), [node](ScreenTour& t) {
                             t.Command(NetworkView);
                             return OpenController(t, node);
                         }});
    }
    stops.push_back({QStringLiteral("monitor"), command(MonitorView)});
    stops.push_back({QStringLiteral("event log"), command(EventLogReport)});
    stops.push_back({QStringLiteral("event log report"), [](ScreenTour& t) {
                         t.Command(EventLogReport);
                         return t.ClickLeft(QStringLiteral("All Event Report"));
                     }});
    for (const char* report : {"&Blocks", "&All", "Bl&ocks", "A&ll", "&Cardholders", "&Entry Codes",
                               "&Directory Codes", "&System Report"}) {
        stops.push_back({QStringLiteral("report %1").arg(QLatin1String(report)), [report](ScreenTour& t) {
                             t.Command(PrintReports);
                             return t.ClickLeft(QString::fromLatin1(report));
                         }});
    }
    stops.push_back({QStringLiteral("network settings"), command(GlobalSettings)});
    return stops;
}
