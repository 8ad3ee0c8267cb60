#include "app/ViewCommands.h"

#include "common/CommandIds.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr const char* kCaptions[] = {
    "Network Settings",         "Local Controller Settings", "Global Network Settings", "Wardix",
    "Event Log Report",         "Block Coded Cards",         "Individual Cards",        "Block Coded Transmitters",
    "Individual Xmtrs",         "Entry codes",               "Telephone Directory",     "Monitor and Control",
    "Cardholders",              "Cardholder Set",            "Credentials",             "Reports",
    "Navigation Help",          "Floor Settings",            "Downloaded Node",
};

using namespace CommandId;

constexpr ViewCommand kViewCommands[] = {
    {NavigationView, "CRPBlankPane", "CRPNavigationHelp", PaneKind::Cardholders, PaneKind::NavigationHelp, false},
    {NetworkView, "CMainMenu", "CRPNetworkStatusForm", PaneKind::NetworkSettings, PaneKind::NetworkSettings, true},
    {MonitorView, "CMenuMonitorDlg", "CMonitorForm", PaneKind::MonitorAndControl, PaneKind::MonitorAndControl, false},
    {CredentialsView, "CMenuMedias", "CRPBlankPane", PaneKind::Credentials, PaneKind::Credentials, false},
    {CardholdersView, "CMenuUsers", "CRPBlankPane", PaneKind::Cardholders, PaneKind::CardholderSet, false},
    {EventLogReport, "CMenuEventLog", "CRPBlankPane", PaneKind::Cardholders, PaneKind::EventLogReport, false},
    {PrintReports, "CMenuReports", "CRPBlankPane", PaneKind::Cardholders, PaneKind::Reports, false},
    {GlobalSettings, "CMainMenu", "CNetworkSettingDlg", PaneKind::GlobalNetworkSettings,
     PaneKind::GlobalNetworkSettings, false},
    {TimeAndCalendar, "CMainMenu", "CNetworkSettingDlg", PaneKind::GlobalNetworkSettings,
     PaneKind::GlobalNetworkSettings, false},
};

struct CommandRight
{
    unsigned command;
    int privilege;
};

// Privileges follow PrivilegeNames: 1 reports, 2 backup and restore, 3 monitor
// and doors, 4 configure.
constexpr CommandRight kCommandRights[] = {
    {Backup, 2},
    {Restore, 2},
    {MonitorView, 3},
    {EventLogReport, 1},
    {PrintReports, 1},
    {NetworkView, 4},
    {FileNew, 4},
};

constexpr unsigned kCheckGroup[] = {MonitorView, NetworkView, CardholdersView, CredentialsView,
                                    GlobalSettings, TimeAndCalendar, NavigationView};

} // namespace

QString PaneCaption(int kind)
{
    if (kind < PaneKind::First || kind > PaneKind::Last)
        return QString();
    return QString::fromLatin1(kCaptions[kind - PaneKind::First]);
}

const ViewCommand* FindViewCommand(unsigned command)
{
    for (const ViewCommand& v : kViewCommands) {
        if (v.command == command)
            return &v;
    }
    return nullptr;
}

int CommandPrivilege(unsigned command)
{
    for (const CommandRight& r : kCommandRights) {
        if (r.command == command)
            return r.privilege;
    }
    return kNoPrivilegeNeeded;
}

bool IsCheckGroupCommand(unsigned command)
{
    return std::find(std::begin(kCheckGroup), std::end(kCheckGroup), command) != std::end(kCheckGroup);
}
