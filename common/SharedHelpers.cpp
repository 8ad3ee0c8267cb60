#include "common/SharedHelpers.h"

#include "common/CommandIds.h"
#include "common/ICommControlForm.h"
#include "common/IInstallationDocument.h"
#include "common/IOperatorRights.h"
#include "common/ProgramObjects.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <cerrno>
#include <cstring>

PendingNodeRequest g_pendingNodeRequest;

bool OperatorHasPrivilege(int privilege)
{
    if (privilege < 0 || privilege > kPrivilegeAdministrator)
        return false;
    // Before the application exists nobody is logged in, which grants every right.
    const IOperatorRights* loggedIn = GetOperatorRights();
    if (!loggedIn)
        return true;
    return privilege == kPrivilegeAdministrator ? loggedIn->IsAdministrator() != 0 : loggedIn->HasPrivilege(privilege);
}

int MarkDataToProgram()
{
    if (IInstallationDocument* doc = GetOpenInstallation())
        doc->SetDataToProgram(1);
    ICommControlForm* form = GetCommControlForm();
    return form ? form->GoOnline() : 0;
}

bool RequireConnection(bool showMessage)
{
    const ICommControlForm* form = GetCommControlForm();
    if (form && form->IsConnected())
        return true;
    if (showMessage)
        ShowMessageBox(QStringLiteral("Must be connected to the network to execute this command."), MbButtons::Ok,
                       MbIcon::Information);
    return false;
}

bool GoOfflineForCommand(bool ask, bool refresh)
{
    ICommControlForm* form = GetCommControlForm();
    if (form && form->IsConnected()) {
        if (ask && ShowMessageBox(QStringLiteral("To proceed with this function you will be taken offline.\n"
                                                 "Do you want to proceed?"),
                                  MbButtons::YesNo, MbIcon::Question) != IDYES)
            return false;
        form->Disconnect();
    }
    if (refresh)
        SendAppMessage(GetMainWindow(), Msg::WM_COMMAND, CommandId::NavigationView);
    return true;
}

void ClearPendingNodeRequest()
{
    g_pendingNodeRequest = PendingNodeRequest{};
}

int MessageBoxFormat(const QString& format, const QString& argument)
{
    QString text = format;
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, argument);
    return ShowMessageBox(text);
}

void ShowLastError()
{
    const int error = errno;
    ShowMessageBox(QString::fromLocal8Bit(std::strerror(error)), MbButtons::Ok, MbIcon::Information,
                   QStringLiteral("Error"));
}
