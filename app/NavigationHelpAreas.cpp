#include "app/NavigationHelpAreas.h"

#include "common/CommandIds.h"

namespace {

using namespace CommandId;

const NavigationArea kAreas[] = {
    {1, 1746, QRect(7, 53, 181, 60), CardholdersView, false,
     "Creates individual cardholders and cardholder sets. Assigns credentials to cardholders and controls cardholder "
     "status (active, suspended and calendar expiration date). Assigned cedentials can be individually suspended "
     "and/or declared lost."},
    {2, 1304, QRect(188, 108, 182, 39), SetInstallationTime, false,
     "Sets and synchronizes the installation time and date to the host computer's time and date."},
    {3, 1749, QRect(188, 7, 182, 51), SetupMenu, false,
     "Opens a submenu with entries for setting up the global network settings, credentials in the database, network, "
     "Wardenfold and printer."},
    {4, 1748, QRect(7, 142, 181, 46), ReportsMenu, false,
     "Opens a submenu with entries for generating and displaying custom reports from installation event logs and "
     "credentials currently learned into the database."},
    {5, 1751, QRect(188, 142, 182, 46), PriorityAccess, false,
     "Causes all priority access doors to open and be locked open. You must be online to use this feature."},
    {6, 1747, QRect(7, 108, 181, 39), MonitorView, false,
     "Allows real-time monitoring and control of the installation. Monitors door status, manually opens and closes "
     "doors and allows viewing of alarms."},
    {7, 1750, QRect(188, 53, 182, 60), BackupRestoreMenu, false,
     "Opens a submenu with entries for creating a backup copy of the installation database and for restoring the "
     "installation database from a previously saved backup copy."},
    {8, 1752, QRect(7, 197, 182, 35), OnOffLine, true, "Connects the Wardix program to the installation."},
    {9, 1754, QRect(188, 227, 182, 51), ProgramNetwork, true,
     "Generates and sends data to the installation. When the button is not grayed out, new data needs to be sent to "
     "the installation. Activating this function while offline fills the queue with data to be sent to the "
     "installation."},
    {10, 1753, QRect(188, 197, 182, 35), CollectEventLogs, true,
     "Collects all event logs from the installation controllers. You must be online to use this function. "},
};

constexpr int kConnectArea = 1752;

} // namespace

std::span<const NavigationArea> NavigationAreas()
{
    return kAreas;
}

QRect NavigationInformationRect()
{
    return QRect(7, 7, 181, 51);
}

const NavigationArea* NavigationHitTest(const QPoint& dialogUnits, bool connected)
{
    for (const NavigationArea& area : kAreas) {
        if (connected && area.groupBox == kConnectArea)
            continue;
        if (area.rect.contains(dialogUnits))
            return &area;
    }
    return nullptr;
}
