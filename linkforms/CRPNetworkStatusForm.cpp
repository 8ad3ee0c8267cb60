#include "linkforms/CRPNetworkStatusForm.h"

#include "app/AppObjects.h"
#include "app/CListCtrlEx.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/ViewCommands.h"
#include "common/RecordsetWalk.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "database/NetworkLetter.h"
#include "database/WaitCursor.h"
#include "link/NodeAddress.h"
#include "linkforms/CDlgNetworkConnection.h"
#include "linkforms/CDownloadNodeDlg.h"
#include "linkforms/CNewNodeWizard.h"
#include "linkforms/FirmwareUpdate.h"
#include "linkforms/INodeCommandHost.h"
#include "linkforms/NodeButtons.h"
#include "linkforms/NodeCommands.h"
#include "linkforms/NodeIcons.h"
#include "linkforms/NetworkDevices.h"
#include "linkforms/NetworkSettingsEdit.h"
#include "linkforms/NodeStatusRecord.h"
#include "linkforms/PanelInstallation.h"
#include "platform/DatabaseException.h"
#include "platform/WindowMessages.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <new>

namespace {

using namespace NodeButtons;

// The blink phase is the program's, not the pane's: a new pane goes on with it.
int g_blinkPhase = 0;

constexpr int kNodeButtonSize = 40;

enum StatusColumn { kController = 0, kPackets = 1, kBadPackets = 2, kSupervision = 3 };
struct ColumnSpec
{
    const char* title;
    int width;
    Qt::Alignment alignment;
};
constexpr ColumnSpec kColumns[] = {
    {"Controller", 135, Qt::AlignRight},
    {"Network packets", 95, Qt::AlignRight},
    {"Bad network packets", 115, Qt::AlignRight},
    {"Supervise status ", 400, Qt::AlignLeft},
};
constexpr int kAddressRole = Qt::UserRole;

const QString kShowDetails = QStringLiteral("&Details >>");
const QString kHideDetails = QStringLiteral("Details <<");

} // namespace

CRPNetworkStatusForm::CRPNetworkStatusForm(QWidget* parent)
    : CPaneView(parent), m_doc(GetInstallationDoc()), m_host(GetNodeCommandHost())
{
    setObjectName(QStringLiteral("CRPNetworkStatusForm"));
    trackPopup = [](QMenu& menu, const QPoint& at) -> unsigned {
        const QAction* chosen = menu.exec(at);
        return chosen ? chosen->data().toUInt() : 0;
    };
    runNetworkDialog = [](CDlgNetworkConnection& dialog) { return dialog.exec() == QDialog::Accepted; };
    runDownloadDialog = [](CDownloadNodeDlg& dialog) { return dialog.DoModal(); };
    runInstallWizard = [](CNewNodeWizard& wizard) { return wizard.exec() == QDialog::Accepted; };
    BuildGrid();
    BuildStatusList();
    RefreshNodeButtons();
    connect(&m_timer, &QTimer::timeout, this, &CRPNetworkStatusForm::OnTimer);
    m_timer.start(kRefreshMs);
}

CRPNetworkStatusForm::~CRPNetworkStatusForm() = default;

void CRPNetworkStatusForm::BuildGrid()
{
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int net = 1; net <= kNetworkCount; ++net) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::number(kNetworkButtonIds[net - 1]));
        button->setIcon(NodeIcons::NetworkIcon(net));
        button->setFixedSize(kNodeButtonSize, kNodeButtonSize);
        connect(button, &QPushButton::clicked, this, [this, net] { OnNetworkButton(net); });
        grid->addWidget(button, 0, net - 1);
        m_networkButtons[net - 1] = button;
        for (int node = 1; node <= kNodesPerNetwork; ++node) {
            const int id = NodeButtonId(net, node);
            auto* nodeButton = new QToolButton(this);
            nodeButton->setObjectName(QString::number(id));
            nodeButton->setFixedSize(kNodeButtonSize, kNodeButtonSize);
            nodeButton->setIconSize(QSize(kNodeButtonSize, kNodeButtonSize) * 3 / 4);
            connect(nodeButton, &QToolButton::clicked, this, [this, id] { OnNodeButton(id); });
            grid->addWidget(nodeButton, node, net - 1);
            m_nodeButtons[net - 1][node - 1] = nodeButton;
            m_captions[net - 1][node - 1] = kNoPanelCaption;
        }
    }
    layout->addLayout(grid);
    m_details = new QPushButton(kShowDetails, this);
    m_details->setObjectName(QString::number(kDetailsButton));
    connect(m_details, &QPushButton::clicked, this, &CRPNetworkStatusForm::OnDetails);
    auto* detailsRow = new QHBoxLayout;
    detailsRow->addWidget(m_details);
    detailsRow->addStretch();
    layout->addLayout(detailsRow);
}

void CRPNetworkStatusForm::BuildStatusList()
{
    m_statusList = new CListCtrlEx(this);
    m_statusList->setObjectName(QString::number(kStatusList));
    m_statusList->setRootIsDecorated(false);
    m_statusList->setColumnCount(static_cast<int>(std::size(kColumns)));
    QStringList titles;
    for (const ColumnSpec& column : kColumns)
        titles << QLatin1String(column.title);
    m_statusList->setHeaderLabels(titles);
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
        m_statusList->setColumnWidth(c, kColumns[c].width);
        m_statusList->headerItem()->setTextAlignment(c, kColumns[c].alignment);
    }
    m_statusList->hide();
    layout()->addWidget(m_statusList);
    static_cast<QVBoxLayout*>(layout())->addStretch();
}

QToolButton* CRPNetworkStatusForm::NodeButton(int net, int node) const
{
    return m_nodeButtons[net - 1][node - 1];
}

QPushButton* CRPNetworkStatusForm::NetworkButton(int net) const
{
    return m_networkButtons[net - 1];
}

QString CRPNetworkStatusForm::NodeCaption(int net, int node) const
{
    return m_captions[net - 1][node - 1];
}

int CRPNetworkStatusForm::IconOf(int net, int node) const
{
    return m_icons[net - 1][node - 1];
}

void CRPNetworkStatusForm::SetCaption(int net, int node, const QString& caption)
{
    m_captions[net - 1][node - 1] = caption;
}

void CRPNetworkStatusForm::SetNodeIcon(int net, int node, int view)
{
    const int icon = m_doc ? m_doc->m_netQueue.GetNodeIcon(net, node, view) : 0;
    if (icon == m_icons[net - 1][node - 1])
        return;
    m_icons[net - 1][node - 1] = icon;
    NodeButton(net, node)->setIcon(NodeIcons::StateIcon(icon));
}

void CRPNetworkStatusForm::RefreshNodeButtons()
{
    for (int net = 1; net <= kNetworkCount; ++net) {
        for (int node = 1; node <= kNodesPerNetwork; ++node) {
            m_icons[net - 1][node - 1] = 0;
            NodeButton(net, node)->setIcon(QIcon());
            NodeButton(net, node)->setToolTip(QString());
            SetCaption(net, node, kNoPanelCaption);
        }
    }
    if (!m_doc || !g_setVLNetworks.IsOpen() || !g_setVestrels.IsOpen())
        return;
    try {
        g_setVLNetworks.Requery();
        g_setVestrels.m_strSort = QStringLiteral("VestrelID");
        g_setVestrels.Requery();
        for (bool network = MoveToFirstRow(g_setVLNetworks); network && !g_setVLNetworks.IsEOF();
             g_setVLNetworks.MoveNext()) {
            const int net = g_setVLNetworks.m_Net;
            if (net < 1 || net > kNetworkCount)
                continue;
            NetworkButton(net)->setToolTip(g_setVLNetworks.GetNetLabel(0));
            const QString panels = QStringLiteral("NodeID = %1").arg(g_setVLNetworks.m_NodeID);
            for (bool found = g_setVestrels.FindFirst(panels); found; found = g_setVestrels.FindNext(panels)) {
                const int node = g_setVestrels.m_NodeAddress;
                if (node < 1 || node > kNodesPerNetwork)
                    continue;
                SetNodeIcon(net, node, g_blinkPhase);
                NodeButton(net, node)->setToolTip(g_setVestrels.GetNodeLabel());
                SetCaption(net, node,
                           QStringLiteral("%1:%2").arg(g_setVLNetworks.m_NodeID).arg(g_setVestrels.m_VestrelID));
            }
        }
    } catch (const std::bad_alloc&) {
        ShowMemoryExceptionReport();
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
    }
}

void CRPNetworkStatusForm::OnTimer()
{
    for (int net = 1; net <= kNetworkCount; ++net) {
        for (int node = 1; node <= kNodesPerNetwork; ++node)
            SetNodeIcon(net, node, g_blinkPhase);
    }
    g_blinkPhase = g_blinkPhase ? 0 : 1;
}

qintptr CRPNetworkStatusForm::OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam)
{
    if (msg == Msg::NodeStatus) {
        // The record lives only during the call.
        OnStatusRecord(QByteArray(reinterpret_cast<const char*>(lParam), static_cast<qsizetype>(wParam)));
        return 1;
    }
    return CPaneView::OnAppMessage(msg, wParam, lParam);
}

void CRPNetworkStatusForm::OnStatusRecord(const QByteArray& record)
{
    const std::optional<NodeStatusRecord> status = NodeStatusRecord::Decode(record);
    if (!status)
        return;
    QTreeWidgetItem* row = nullptr;
    for (int i = 0; i < m_statusList->topLevelItemCount() && !row; ++i) {
        if (m_statusList->topLevelItem(i)->data(kController, kAddressRole).toUInt() == status->address)
            row = m_statusList->topLevelItem(i);
    }
    try {
        if (!row) {
            const int net = status->address >> NodeAddress::kNetworkShift;
            const int node = status->address & NodeAddress::kLowNibble;
            QString label = QStringLiteral("[%1%2]  %3").arg(NetworkLetter(net), QString::number(node),
                                                             QStringLiteral("New Node"));
            if (g_setVLNetworks.IsOpen() && g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(net))
                && g_setVestrels.IsOpen()
                && g_setVestrels.FindFirst(QStringLiteral("NodeAddress = %1 AND NodeID = %2")
                                               .arg(node)
                                               .arg(g_setVLNetworks.m_NodeID)))
                label = g_setVestrels.GetNodeLabel();
            row = new QTreeWidgetItem;
            row->setText(kController, label);
            row->setData(kController, kAddressRole, status->address);
            for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c)
                row->setTextAlignment(c, kColumns[c].alignment);
            m_statusList->insertTopLevelItem(0, row);
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return;
    }
    if (status->packets)
        row->setText(kPackets, QString::number(*status->packets));
    if (status->badPackets)
        row->setText(kBadPackets, QString::number(*status->badPackets));
    row->setText(kSupervision, status->supervision);
    if (!status->errorLine.isEmpty())
        m_host.SetErrorText(status->errorLine);
}

void CRPNetworkStatusForm::OnDetails()
{
    if (!RequireConnection(true))
        return;
    m_detailsShown = !m_detailsShown;
    m_statusList->setVisible(m_detailsShown);
    m_details->setText(m_detailsShown ? kHideDetails : kShowDetails);
}

void CRPNetworkStatusForm::OnNetworkButton(int net)
{
    if (!m_doc)
        return;
    NetworkSettingsEdit edit(*m_doc, m_host);
    const std::optional<NetworkConnectionValues> values = edit.Load(net);
    if (!values)
        return;
    CDlgNetworkConnection dialog(*values, this);
    dialog.SetDevices(AntiPassbackDevices(*m_doc, net));
    if (runNetworkDialog(dialog))
        edit.Store(dialog.Values());
}

std::int32_t CRPNetworkStatusForm::ClickedVestrelId() const
{
    return NodeCaption(m_clickedNet, m_clickedNode).section(QLatin1Char(':'), 1).toInt();
}

void CRPNetworkStatusForm::OnNodeButton(int buttonId)
{
    m_clickedNet = NetworkOf(buttonId);
    m_clickedNode = NodeOf(buttonId);
    if (!m_doc || m_clickedNet < 1 || m_clickedNet > kNetworkCount || m_clickedNode < 1
        || m_clickedNode > kNodesPerNetwork)
        return;
    QToolButton* button = NodeButton(m_clickedNet, m_clickedNode);
    m_clickedCorner = button->mapToGlobal(button->rect().bottomRight());
    const bool installed = NodeCaption(m_clickedNet, m_clickedNode) != kNoPanelCaption;
    NodeCommands commands(*m_doc, m_host);
    const NodeCommands::Click click = commands.OnNodeButton(m_clickedNet, m_clickedNode, installed);
    if (click.menu == NodeCommands::Menu::None)
        return;
    QMenu menu(this);
    const auto add = [](QMenu* into, const QString& text, unsigned command, bool enabled = true) {
        QAction* action = into->addAction(text);
        action->setData(command);
        action->setEnabled(enabled);
    };
    using namespace NodeMenu;
    if (click.menu == NodeCommands::Menu::InstalledPanel) {
        add(&menu, QStringLiteral("&Node Setup"), kNodeSetup);
        add(&menu, QStringLiteral("D&ownload All Memory"), kDownloadAllMemory, click.deleteAndDownload);
        add(&menu, QStringLiteral("&Delete Node"), kDeleteNode, click.deleteAndDownload);
        QMenu* program = menu.addMenu(QStringLiteral("&Program"));
        add(program, QStringLiteral("&Reprogram entire node"), kReprogramNode);
        add(program, QStringLiteral("Clear queue for this node"), kClearNodeQueue, click.clearQueue);
        QMenu* control = menu.addMenu(QStringLiteral("&Real Time Control"));
        add(control, QStringLiteral("&Reset Node"), kResetNode);
        add(control, QStringLiteral("&Reset supervised flags"), kResetSupervisedFlags);
    } else {
        add(&menu, QStringLiteral("&Install Panel"), kInstallPanel);
        add(&menu, QStringLiteral("D&ownload All Memory"), kDownloadAllMemory);
    }
    if (click.firmwareUpdate)
        add(&menu, QStringLiteral("&Firmware Update"), kFirmwareUpdate);
    if (const unsigned command = trackPopup(menu, m_clickedCorner))
        OnNodeCommand(command);
}

void CRPNetworkStatusForm::OnNodeCommand(unsigned command)
{
    if (!m_doc)
        return;
    NodeCommands commands(*m_doc, m_host);
    using namespace NodeMenu;
    switch (command) {
    case kNodeSetup:
        OpenNodeSetup();
        break;
    case kReprogramNode:
        commands.ReprogramNode(m_clickedNet, m_clickedNode);
        break;
    case kResetNode:
        commands.ResetNode(m_clickedNet, m_clickedNode);
        break;
    case kResetSupervisedFlags:
        commands.ResetSupervisedFlags(m_clickedNet, m_clickedNode);
        break;
    case kClearNodeQueue:
        commands.ClearNodeQueue(m_clickedNet, m_clickedNode);
        break;
    case kDeleteNode:
        DeleteNode();
        break;
    case kDownloadAllMemory:
        DownloadAllMemory();
        break;
    case kInstallPanel:
        if (commands.MayInstallPanel(m_clickedNet, m_clickedNode))
            InstallPanel();
        break;
    case kFirmwareUpdate:
        RunFirmwareUpdate();
        break;
    default:
        break;
    }
}

void CRPNetworkStatusForm::OpenNodeSetup()
{
    if (auto* frame = qobject_cast<CMainFrame*>(GetMainWindow()))
        frame->ReplaceRightView(PaneKind::LocalControllerSettings, QStringLiteral("CSingleVLSettingForm"),
                                Msg::LoadController, static_cast<quintptr>(ClickedVestrelId()));
}

void CRPNetworkStatusForm::DeleteNode()
{
    NodeCommands commands(*m_doc, m_host);
    if (!commands.DeleteNode(ClickedVestrelId()))
        return;
    SetCaption(m_clickedNet, m_clickedNode, kNoPanelCaption);
    RefreshNodeButtons();
}

void CRPNetworkStatusForm::DownloadAllMemory()
{
    NodeCommands commands(*m_doc, m_host);
    if (!commands.MayDownloadMemory(m_clickedNet, m_clickedNode))
        return;
    CDownloadNodeDlg dialog(m_doc->m_netQueue, m_host, m_doc->GetDownloadFolder(m_clickedNet, m_clickedNode),
                            m_clickedNet, m_clickedNode, this);
    const int result = runDownloadDialog(dialog);
    commands.AfterDownload(m_clickedNet, m_clickedNode, result, dialog.WasCancelled());
}

void CRPNetworkStatusForm::InstallPanel()
{
    PanelInstallation installation(*m_doc, m_host);
    const bool ran = installation.Install(m_clickedNet, m_clickedNode, [this](int net, int node) {
        CNewNodeWizard wizard(m_doc->m_netQueue, m_host, net, node, this);
        return runInstallWizard(wizard) ? std::optional<NewNodeNames>(wizard.Names()) : std::nullopt;
    });
    if (ran)
        RefreshNodeButtons();
}

void CRPNetworkStatusForm::RunFirmwareUpdate()
{
    if (m_host.IsConnected())
        m_host.Disconnect();
    std::optional<FirmwareUpdate> update;
    {
        const WaitCursor wait;
        const CWFApp* app = GetApp();
        update = FirmwareUpdate::ForNode(*m_doc, m_clickedNet, m_clickedNode, app ? app->Settings().m_selectedModem : 0);
    }
    if (update)
        update->Run();
}
