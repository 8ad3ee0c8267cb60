#include "linkforms/PanelInstallation.h"

#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "database/WaitCursor.h"
#include "image/CVLControllerMemory.h"
#include "image/NetworkPasswords.h"
#include "link/CNetCommandQueue.h"
#include "linkforms/INodeCommandHost.h"
#include "linkforms/NodeCommands.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr int kNodeCodeDivisor = 10;
// A new panel's image carries this version until the panel reports its own.
constexpr FirmwareVersion kNewPanelFirmware = {'0', '0', '1'};
// The per-network password entry: two zero bytes, then the link password.
constexpr int kRemoteEntryFirst = 2;
constexpr int kLinkPasswordLength = 6;
const char* const kSaveErrorText = "Error in saving data to controller file";

} // namespace

bool PanelInstallation::Install(int net, int node, const RunWizard& runWizard)
{
    if (!RequireConnection(true))
        return false;
    if (m_host.GetSelectedNetwork() != net) {
        ShowMessageBox(QStringLiteral("Must be online with the network this node is connected to."));
        return false;
    }
    std::optional<NewNodeNames> names = runWizard(net, node);
    if (!names)
        return true;
    names->Settle();
    const WaitCursor wait;
    try {
        if (!g_setVLNetworks.IsOpen() || !g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(net))) {
            ShowMessageBox(QStringLiteral("You must learn the Master Node into this network before any slaves!"));
            return true;
        }
        if (!AddPanelRow(net, node, *names))
            return true;
        m_doc.m_netQueue.AddNode(g_setVestrels);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return true;
    }
    MarkDataToProgram();
    // The pass finds the new node even when it answers without a record.
    if (RequireConnection(false))
        m_host.PollNode(0);
    return true;
}

bool PanelInstallation::AddPanelRow(int net, int node, const NewNodeNames& names)
{
    g_setVestrels.AddNew();
    g_setVestrels.m_VestrelName = names.controller;
    g_setVestrels.m_RelayAName = names.channels[0];
    g_setVestrels.m_RelayBName = names.channels[1];
    g_setVestrels.m_RelayCName = names.channels[2];
    g_setVestrels.m_RelayDName = names.channels[3];
    g_setVestrels.m_NodeID = g_setVLNetworks.m_NodeID;
    g_setVestrels.m_NodeAddress = static_cast<std::uint8_t>(node);
    g_setVestrels.m_NetAddress = static_cast<std::uint8_t>(net);
    g_setVestrels.m_Flags |= NodeCommands::kReprogramWholeNode;
    g_setVestrels.Update();
    g_setVestrels.SetBookmark(g_setVestrels.GetLastModifiedBookmark());
    // The row names its file only once the file is there.
    const QString fileName = QStringLiteral("Vestrel%1.dat").arg(g_setVestrels.m_VestrelID);
    const QString path = m_doc.BuildPath(InstallationPaths::kVestrels, fileName);
    if (!WriteImage(net, node, names, path)) {
        ShowMessageBox(QString::fromLatin1(kSaveErrorText));
        g_setVestrels.Delete();
        QFile::remove(path);
        return false;
    }
    g_setVestrels.Edit();
    g_setVestrels.m_FileName = fileName;
    g_setVestrels.Update();
    g_setVestrels.SetBookmark(g_setVestrels.GetLastModifiedBookmark());
    return true;
}

bool PanelInstallation::WriteImage(int net, int node, const NewNodeNames& names, const QString& path)
{
    CVLControllerMemory image;
    image.SetNetworkOverride(static_cast<std::uint8_t>(net));
    const bool created =
        image.LoadFile(path, 1, static_cast<std::uint8_t>(net * kNodeCodeDivisor + node), kNewPanelFirmware);
    image.SetNetworkOverride(0);
    if (!created)
        return false;
    if (node == CNetCommandQueue::kMasterNode) {
        QString password = g_setVLNetworks.m_Password.left(kLinkPasswordLength);
        image.ExchangeRemotePassword(password, 0);
        RemotePassword entry{};
        const QByteArray bytes = password.toLatin1();
        std::copy(bytes.begin(), bytes.end(), entry.begin() + kRemoteEntryFirst);
        NetworkPasswords::StoreRemote(net, entry);
    }
    QString text = names.controller;
    image.ExchangeDirectoryName(VLLayout::kControllerName, text, 0);
    for (int c = 0; c < NewNodeNames::kChannels; ++c) {
        text = names.channels[static_cast<std::size_t>(c)];
        image.ExchangeDirectoryName(VLLayout::kFirstChannelName + c, text, 0);
    }
    text = m_doc.InstallationName();
    image.ExchangeDirectoryName(VLLayout::kInstallationName, text, 0);
    std::uint8_t address = static_cast<std::uint8_t>(node);
    image.ExchangeNetworkAddress(address, 0);
    return image.SaveFile();
}
