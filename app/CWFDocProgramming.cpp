#include "app/CWFDoc.h"

#include "app/CommandStoreTransaction.h"
#include "app/RunState.h"
#include "app/TaskState.h"
#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/CBindManager.h"
#include "image/DirectoryIndex.h"
#include "link/NetRunResults.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <QFile>

#include <optional>

namespace {
constexpr std::int32_t kReprogramAllFlag = 1;
constexpr std::int32_t kResendMessagesFlag = 2;
constexpr std::uint8_t kMasterNode = 1;
constexpr std::uint8_t kPanelTypeB = 1;
constexpr std::uint8_t kPanelTypeC = 2;
constexpr std::int32_t kLastOldFirmwareC = 272;
constexpr std::int32_t kLastOldFirmware = 320;
constexpr std::uint8_t kAntiPassbackMode = 2;
constexpr std::uint8_t kAntiPassbackOn = 0x40;
constexpr int kValGroupAntiPassback = 5;
constexpr int kValGroupAntiPassbackTime = 6;
constexpr int kNodeCodeBase = 10;
const QString kSettingsNotSent = QStringLiteral(" Its settings were not sent.");

// The whole run, not just its binding, holds the close guard: the progress
// dialogs pump messages, and neither a close nor a second run may come in
// through them.
class ProgrammingRunGuard
{
public:
    ProgrammingRunGuard()
        : m_entered(!s_running)
    {
        if (m_entered) {
            s_running = true;
            QueueBeingCreated = 1;
        }
    }
    ~ProgrammingRunGuard()
    {
        if (m_entered) {
            s_running = false;
            QueueBeingCreated = 0;
        }
    }
    ProgrammingRunGuard(const ProgrammingRunGuard&) = delete;
    ProgrammingRunGuard& operator=(const ProgrammingRunGuard&) = delete;
    bool Entered() const { return m_entered; }

private:
    static inline bool s_running = false;
    bool m_entered;
};

// None when a message of the set cannot be read (the lookup has shown why):
// unset justifications would be sent in place of the real ones.
std::optional<DisplayJustifications> JustificationsOf(int set)
{
    DisplayJustifications justifications{};
    if (set < 1 || set > kDisplayMessageSets)
        return justifications;
    for (int j = 1; j <= static_cast<int>(justifications.size()); ++j) {
        QString text;
        int justification = 0;
        if (!g_setDisplayMessages.GetMessage(text, justification, j, set))
            return std::nullopt;
        justifications[static_cast<std::size_t>(j - 1)] = static_cast<std::uint8_t>(justification);
    }
    return justifications;
}

// Older firmware keeps anti-passback in the door validation groups: on, with
// the image's time, when any cardholder set uses it.
void PatchOldFirmwareAntiPassback(CVLMemory& image)
{
    using namespace VLLayout;
    bool used = false;
    for (int set = 0; set < kCardholderSets.count && !used; ++set)
        used = image.Byte(kCardholderSets.At(set) + Chs::kMode) == kAntiPassbackMode;
    for (int group = 0; group < kDoorValGroups.count; ++group) {
        image.SetByte(kDoorValGroups.At(group) + kValGroupAntiPassback, used ? kAntiPassbackOn : 0);
        image.SetByte(kDoorValGroups.At(group) + kValGroupAntiPassbackTime,
                      used ? image.Byte(kAntiPassbackTime) : 0);
    }
}

bool HasOldFirmware(const CSetVestrels& controller)
{
    return controller.m_PanelType == kPanelTypeC ? controller.m_FirmwareVersion <= kLastOldFirmwareC
                                                 : controller.m_FirmwareVersion <= kLastOldFirmware;
}
} // namespace

void CWFDoc::FailControllerImage(std::uint8_t net, const QString& reason)
{
    m_imageHeldBack = true;
    NetRunResults::Fail(net, reason);
    if (CurrentTaskMode() == TaskMode::None)
        ShowMessageBox(reason, MbButtons::Ok, MbIcon::Exclamation);
}

bool CWFDoc::PrepareControllerImage(const CSetVestrels& controller, std::uint8_t net, DirectoryWorkArea& workArea)
{
    const QString path = ControllerFilePath(kVestrels, controller);
    if (path.isEmpty()) {
        FailControllerImage(net, NotPlainFileNameText(controller) + kSettingsNotSent);
        return true;
    }
    CVLControllerMemory image;
    image.SetNetworkOverride(net);
    const bool loaded = image.LoadFile(path, 0, 0, FirmwareVersion{});
    image.SetNetworkOverride(0);
    // Nothing to prepare: the node's other files still go, and its
    // generation holds back the image it cannot read and logs it. The panel
    // would run without its settings: the network has not passed.
    if (!loaded) {
        FailControllerImage(net,
                            QStringLiteral("The image file \"%1\" of controller %2 cannot be read.")
                                    .arg(controller.m_FileName, NetRunResults::NodeName(net, controller.m_NodeAddress))
                                + kSettingsNotSent);
        return true;
    }
    if (controller.m_Keldara)
        BuildDirectoryIndex(image, workArea, m_bIgnoreCaseDirCodes != 0);
    WriteDoorSchedules(image, controller);
    WriteFloorSchedules(image, controller);
    image.MergeGlobalSettings(BuildPath(kVestrels, QString()));
    const std::optional<DisplayJustifications> justifications = JustificationsOf(controller.m_DisplayMessageSet + 1);
    if (!justifications)
        return false;
    image.BindDisplayMessageSlots(*justifications);
    // Nodes other than the master answer to their network's remote password.
    if (controller.m_NodeAddress != kMasterNode) {
        if (const auto remote = NetworkPasswords::Remote(controller.m_NetAddress))
            std::copy(remote->begin(), remote->end(), image.Image().begin() + VLLayout::kRemotePassword);
    }
    if (HasOldFirmware(controller))
        PatchOldFirmwareAntiPassback(image);
    return image.SaveFile();
}

bool CWFDoc::ProgramController(CSetVestrels& controller, CBindManager& manager, DirectoryWorkArea& workArea,
                               int force, Settlements& settled)
{
    if (!g_setVLNetworks.IsOpen() || !g_setVLNetworks.FindByNodeID(controller.m_NodeID))
        return true;
    const std::uint8_t net = g_setVLNetworks.m_Net;
    // The form lists the networks it can reach; commands for any other
    // would wait in the store for good.
    if (const ICommControlForm* form = GetCommControlForm(); form && !form->HasNetwork(net))
        return true;
    if (!PrepareControllerImage(controller, net, workArea))
        return false;
    const auto nodeCode = static_cast<std::uint8_t>(net * kNodeCodeBase + controller.m_NodeAddress);
    // An image whose name is refused sends nothing of itself, so its copy
    // cannot ask for a full send.
    const QString copy = ControllerFilePath(kLastProgrammed, controller);
    int nodeForce = force || (!copy.isEmpty() && !QFile::exists(copy)) ? 1 : 0;
    const std::uint8_t node = controller.m_NodeAddress;
    CNetQueueNode* entry = m_netQueue.GetNode(net, node);
    if (entry && entry->m_reprogramAll) {
        nodeForce = 1;
        m_netQueue.SetStartFlag(net, node);
    }
    const std::int32_t flags = controller.m_Flags;
    if (flags & kReprogramAllFlag) {
        nodeForce = 1;
        m_netQueue.SetStartFlag(net, node);
    }
    // A node whose commands were not all stored keeps its requests, so the
    // next run sends it everything again.
    if (!manager.GenerateNetworkCommands(nodeCode, nodeForce, controller.m_PanelType == kPanelTypeB,
                                         (flags & kResendMessagesFlag) ? 1 : 0))
        return false;
    manager.KeepNodeSent();
    settled.push_back([this, &controller, net, node, flags, id = controller.m_VestrelID] {
        if (CNetQueueNode* requests = m_netQueue.GetNode(net, node))
            requests->m_reprogramAll = 0;
        if ((flags & (kReprogramAllFlag | kResendMessagesFlag))
            && controller.FindFirst(QStringLiteral("VestrelID = %1").arg(id))) {
            controller.Edit();
            controller.m_Flags = flags & ~(kReprogramAllFlag | kResendMessagesFlag);
            controller.Update();
        }
    });
    return true;
}

int CWFDoc::PrepareNetworkProgramming(std::int32_t controllerId, int force)
{
    ProgrammingRunGuard guard;
    if (!guard.Entered())
        return 0;
    m_netQueue.BeginProgrammingRun();
    m_imageHeldBack = false;
    std::vector<int> networks;
    try {
        const int full = HasPanelType0Or2() ? 1 : 0;
        CSetVestrels controllers;
        controllers.m_strDBFolder = g_setVestrels.m_strDBFolder;
        controllers.m_strFilter =
            controllerId == 0 ? QStringLiteral("VestrelID > 0") : QStringLiteral("VestrelID = %1").arg(controllerId);
        controllers.m_strSort = QStringLiteral("VestrelID");
        controllers.Open();
        if (controllers.IsBOF() && controllers.IsEOF()) {
            // No controller: nothing is left to program.
            if (controllerId == 0)
                SetDataToProgram(0);
            return 0;
        }
        // The networks a failed run fails in the task log.
        for (controllers.MoveFirst(); !controllers.IsEOF(); controllers.MoveNext())
            networks.push_back(controllers.m_NetAddress);
        controllers.MoveFirst();
        RemoveUnlistedCommandFiles();

        DirectoryWorkArea workArea{};
        CBindManager manager(*this);
        if (!RunBinders(manager, workArea, full)) {
            // Commands compared against panel files the bind could not bring
            // up to date would be queued as sent and never corrected.
            ShowMessageBox(QStringLiteral("The installation's data could not be bound into the panel files in %1; "
                                          "nothing was queued.")
                               .arg(BuildPath(kVestrels, QString())));
            NoteTaskFailure(networks);
            return 0;
        }

        const bool oneNode = g_pendingNodeRequest.request == kServeOneNode;
        if (oneNode) {
            const bool found = controllers.FindFirst(QStringLiteral("NetAddress = %1 AND NodeAddress = %2")
                                                         .arg(g_pendingNodeRequest.network)
                                                         .arg(g_pendingNodeRequest.node));
            if (!found) {
                // A request for a node that is gone would otherwise stop every later run.
                ClearPendingNodeRequest();
                return 0;
            }
        } else {
            ClearPendingNodeRequest();
        }
        // Every image merges the settings from the file: a run on the old
        // time-zone order would send it to every panel.
        if (!manager.RebuildTimeZoneOrder()) {
            NoteTaskFailure(networks, ShowGlobalSettingsWriteError());
            return 0;
        }
        bool allQueued = true;
        bool kept = false;
        Settlements settled;
        {
            // The run's commands are one unit: their files are durable and
            // their rows committed before any node's files are recorded as
            // sent or its requests for a full send are taken back. A run cut
            // short leaves nothing of it, and the next run does it all again.
            CommandStoreTransaction transaction(*this);
            // The first node that fails ends the run: its database error may
            // have taken the transaction back, and later rows would be
            // committed one by one.
            do {
                allQueued = ProgramController(controllers, manager, workArea, force, settled);
                if (oneNode || !allQueued)
                    break;
                controllers.MoveNext();
            } while (!controllers.IsEOF());
            // A run that could not write all it made keeps none of it: some
            // of a node's commands would leave its panel between two
            // states, and files recorded as sent while a node's writes are
            // missing would keep that node behind for good. The next run
            // does it all again.
            if (!allQueued)
                transaction.Abandon();
            else if (transaction.Commit()) {
                kept = manager.StoreInstallationState(full) && manager.RecordNodesSent();
                // Commands kept while their files were not recorded as sent
                // would be queued again by the next run.
                if (!kept)
                    transaction.TakeBack();
            }
            if (kept)
                for (const auto& settle : settled)
                    settle();
        }
        if (!kept) {
            // The flag stays set: the next run queues what this one could not keep.
            ShowMessageBox(QStringLiteral("Error writing the network commands to %1.")
                               .arg(BuildPath(kNetCommands, QString())));
            NoteTaskFailure(networks);
            return 0;
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        // A node's rows may have gone back with its transaction.
        ResyncPendingCount();
        NoteTaskFailure(networks);
        return 0;
    }
    // A panel whose image was held back still lacks its settings: the next
    // run is to send them.
    SetDataToProgram(m_imageHeldBack ? 1 : 0);
    ClearPendingNodeRequest();
    if (ICommControlForm* form = GetCommControlForm())
        form->ServiceQueue();
    return 1;
}
