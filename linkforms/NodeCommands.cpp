#include "linkforms/NodeCommands.h"

#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "common/InstallationPaths.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "database/NetworkLetter.h"
#include "image/NetworkPasswords.h"
#include "image/NodeHtmlView.h"
#include "link/CNetCommand.h"
#include "link/LinkState.h"
#include "link/NetCommandKinds.h"
#include "link/NodeAddress.h"
#include "linkforms/INodeCommandHost.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

constexpr std::uint8_t kResetNodeFlag = 0x80;
constexpr std::uint8_t kResetSupervisedFlag = 0x02;

QString NodeRows(int net, int node)
{
    return QStringLiteral("Net = %1 AND Node = %2").arg(net).arg(node);
}

} // namespace

NodeCommands::Click NodeCommands::OnNodeButton(int net, int node, bool installed)
{
    Click click;
    if (!m_doc.m_netQueue.GetNode(net, node)) {
        if (!RequireConnection(true))
            return click;
        if (m_host.GetSelectedNetwork() != net)
            ShowMessageBox(QStringLiteral("Must be connected to this network to execute this command."),
                           MbButtons::Ok, MbIcon::Information);
        else
            ShowMessageBox(QStringLiteral("This node has not responded to a poll,"));
        return click;
    }
    const bool privileged = OperatorHasPrivilege(kNodePrivilege);
    click.firmwareUpdate = HasFirmwareProgram();
    if (!installed) {
        if (privileged)
            click.menu = Menu::EmptyNode;
        return click;
    }
    click.menu = Menu::InstalledPanel;
    if (!privileged)
        ShowMessageBox(QStringLiteral("AfxCanOperatorDo returned 0"));
    click.deleteAndDownload = privileged;
    click.clearQueue = m_host.IsConnected() || m_doc.HasQueuedCommand(net, node);
    return click;
}

bool NodeCommands::HasFirmwareProgram() const
{
    return QFileInfo::exists(m_doc.BuildPath(InstallationPaths::kReflasher, QString()));
}

void NodeCommands::QueueNodeControl(int net, int node, std::uint8_t flag)
{
    auto command = std::make_unique<CNetCommand>(NetKind::NodeCommand, static_cast<std::uint8_t>(net),
                                                 static_cast<std::uint8_t>(node),
                                                 NetCommandData{NodeCommandOp::NodeControl, flag, 0, 0, 0, 0});
    m_doc.m_netQueue.AddCommand(command);
    m_host.ServiceQueue();
}

void NodeCommands::ResetNode(int net, int node)
{
    if (!RequireConnection(true))
        return;
    QueueNodeControl(net, node, kResetNodeFlag);
}

void NodeCommands::ResetSupervisedFlags(int net, int node)
{
    QueueNodeControl(net, node, kResetSupervisedFlag);
}

void NodeCommands::ReprogramNode(int net, int node)
{
    if (!m_host.IsDataToProgramShown())
        g_pendingNodeRequest = {g_pendingNodeRequest.request + 1, static_cast<std::uint8_t>(net),
                                static_cast<std::uint8_t>(node)};
    else
        ClearPendingNodeRequest();
    m_host.MarkNodeForReprogram(MakeNodeAddress(static_cast<std::uint8_t>(net), static_cast<std::uint8_t>(node)));
}

void NodeCommands::ClearNodeQueue(int net, int node)
{
    if (m_host.IsConnected()) {
        if (ShowMessageBox(QStringLiteral("You need to be offline to clear the queue for a node.\n\n"
                                          "Do you want to disconnect from the network?"),
                           MbButtons::YesNo)
            != IDYES)
            return;
        m_host.Disconnect();
    }
    if (!m_doc.HasQueuedCommand(net, node)) {
        ShowMessageBox(QStringLiteral("There are no commands in the queue for this node."));
        return;
    }
    const QString warning = QStringLiteral("WARNING: Clearing the queue for this node may cause improper operation.")
        + QStringLiteral("\n\n") + QStringLiteral("IT IS STONGLY RECOMMENDED THAT YOU REPROGRAM ENTIRE NODE ")
        + QStringLiteral("\n") + QStringLiteral("TO ENSURE THAT IT HAS THE LASTEST INFORMATION.");
    if (ShowMessageBox(warning, MbButtons::OkCancel, MbIcon::Exclamation) == IDOK)
        m_host.RemoveNodeCommands(net, node);
}

bool NodeCommands::MayInstallPanel(int net, int node)
{
    if (m_doc.CountQueuedCommands() > 0) {
        ShowMessageBox(QStringLiteral("Commands must be sent to the network before Installing a panel."),
                       MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    NodeLinkState[net - 1][node - 1] = kNodeStateAnswers;
    return true;
}

bool NodeCommands::HasNetworkCommands(CWFDoc& doc, int net)
{
    if (doc.IsCommandQueueEmpty())
        return false;
    try {
        return doc.m_netCommandsSet.FindFirst(QStringLiteral("Net = %1").arg(net));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool NodeCommands::MayDownloadMemory(int net, int node)
{
    const QString folder = m_doc.GetDownloadFolder(net, node);
    if (QDir(folder).exists()
        && ShowMessageBox(QStringLiteral("There currently exists a downloaded memory image for this node.\n"
                                         "Do you want to overwrite this image?"),
                          MbButtons::YesNo)
            != IDYES) {
        if (ShowMessageBox(QStringLiteral("Do you want to view the last download from this node?"), MbButtons::YesNo)
            == IDYES)
            NodeHtmlView::Open(folder);
        return false;
    }
    if (!RequireConnection(true))
        return false;
    if (HasNetworkCommands(m_doc, net)) {
        ShowMessageBox(QStringLiteral("All commands must be sent to this network before downloading this node."),
                       MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    if (!m_host.HasNetwork(net)) {
        ShowMessageBox(QStringLiteral("Unable to download memory.\n\nNetwork ") + NetworkLetter(net)
                       + QStringLiteral(" is currently disabled."));
        return false;
    }
    return QDir().mkpath(folder);
}

void NodeCommands::AfterDownload(int net, int node, int result, bool cancelled)
{
    if (result != IDOK) {
        if (!cancelled)
            ShowMessageBox(QStringLiteral("Error downloading the node."));
        return;
    }
    const CWFApp* app = GetApp();
    if (app && app->Settings().m_disconnectAfterUpload == 1 && m_doc.CountQueuedCommands() == 0)
        m_host.Disconnect();
    NodeHtmlView::Open(m_doc.GetDownloadFolder(net, node));
}

QString NodeCommands::PanelFilePath(int kind, const QString& fileName) const
{
    // The name comes from the database: only a plain file name is used.
    if (!InstallationPaths::IsPlainFileName(fileName))
        return QString();
    return m_doc.BuildPath(kind, fileName);
}

void NodeCommands::ClearFloorRows(int net, int node)
{
    const QString rows = NodeRows(net, node);
    for (bool found = g_setFloorNames.FindFirst(rows); found; found = g_setFloorNames.FindNext(rows)) {
        g_setFloorNames.Edit();
        g_setFloorNames.m_Sched = 0;
        g_setFloorNames.m_Cab1 = 0;
        g_setFloorNames.m_Cab2 = 0;
        g_setFloorNames.m_Cab3 = 0;
        g_setFloorNames.m_Cab4 = 0;
        g_setFloorNames.Update();
    }
}

bool NodeCommands::DeleteNode(std::int32_t vestrelId)
{
    const QString question = QStringLiteral("Re-installing a deleted panel will require re-entering all\n")
        + QStringLiteral("information associated with it. I.E., Remote Devices, Relay\n")
        + QStringLiteral("Schedules, Door & Floor Schedules, Obstacle Transmitters\nand Passwords.\n\n")
        + QStringLiteral("        Are you sure you want to delete this controller?");
    if (ShowMessageBox(question, MbButtons::YesNo) != IDYES)
        return false;
    if (vestrelId == 0)
        return true;
    try {
        if (!g_setVestrels.FindByID(vestrelId))
            return true;
        const int net = g_setVestrels.m_NetAddress;
        const int node = g_setVestrels.m_NodeAddress;
        const QString fileName = g_setVestrels.GetFileName();
        m_host.RemoveNodeCommands(net, node);
        if (CNetQueueNode* entry = m_doc.m_netQueue.GetNode(net, node))
            entry->m_reprogramAll = 0;
        m_doc.m_netQueue.RemoveNode(net, node);
        // The row goes before its files: a crash in between leaves a stray
        // file, never a row naming a missing one.
        g_setVestrels.Delete();
        for (int kind : {InstallationPaths::kVestrels, InstallationPaths::kLastProgrammed}) {
            const QString path = PanelFilePath(kind, fileName);
            if (!path.isEmpty())
                QFile::remove(path);
        }
        if (node == CNetCommandQueue::kMasterNode)
            NetworkPasswords::ClearRemote(net);
        ClearFloorRows(net, node);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    MarkDataToProgram();
    return true;
}
