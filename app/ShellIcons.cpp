#include "app/ShellIcons.h"

#include "common/CommandIds.h"

#include <QApplication>
#include <QStyle>

namespace {

struct CommandPicture
{
    unsigned command;
    QStyle::StandardPixmap pixmap;
};

using namespace CommandId;

constexpr CommandPicture kPictures[] = {
    {NavigationView, QStyle::SP_MessageBoxInformation},
    {CardholdersView, QStyle::SP_DirHomeIcon},
    {MonitorView, QStyle::SP_ComputerIcon},
    {ReportsMenu, QStyle::SP_FileDialogDetailedView},
    {SetupMenu, QStyle::SP_FileDialogContentsView},
    {BackupRestoreMenu, QStyle::SP_DriveHDIcon},
    {SetInstallationTime, QStyle::SP_BrowserReload},
    {ClearLastViolated, QStyle::SP_DialogResetButton},
    {UnhandledToolbarButton, QStyle::SP_DialogCancelButton},
    {PriorityAccess, QStyle::SP_DialogApplyButton},
    {OnOffLine, QStyle::SP_DriveNetIcon},
    {ProgramNetwork, QStyle::SP_ArrowRight},
    {CollectEventLogs, QStyle::SP_ArrowDown},
};

} // namespace

QIcon CommandIcon(unsigned command)
{
    for (const CommandPicture& p : kPictures) {
        if (p.command == command)
            return QApplication::style()->standardIcon(p.pixmap);
    }
    return QIcon();
}
