#pragma once

#include "app/CPaneView.h"
#include "common/NetworkGrid.h"

#include <QPoint>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>

class CDlgNetworkConnection;
class CDownloadNodeDlg;
class CNewNodeWizard;
class CListCtrlEx;
class CWFDoc;
class INodeCommandHost;
class QMenu;
class QPushButton;
class QToolButton;

// The right pane of the controller network: a button per node (networks A-H
// across, nodes 1-8 down) showing the node's state, a button per network,
// and a hidden list of each node's link counters and supervision texts. A
// click on a node button opens the node's menu.
class CRPNetworkStatusForm : public CPaneView
{
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 500;
    // A node button's caption when no panel is installed there.
    static inline const QString kNoPanelCaption = QStringLiteral("0:0");

    explicit CRPNetworkStatusForm(QWidget* parent = nullptr);
    ~CRPNetworkStatusForm() override;

    void RefreshNodeButtons();
    // One refresh tick: every node's icon for the blink phase, then the phase flips.
    void OnTimer();
    void OnStatusRecord(const QByteArray& record);
    void OnNodeButton(int buttonId);
    void OnNodeCommand(unsigned command);
    void OnDetails();
    // A network button: the network's connection settings.
    void OnNetworkButton(int net);

    // The clicked node's menu, at its button's lower-right corner; the
    // command chosen, 0 for none. Tests answer in its place.
    std::function<unsigned(QMenu& menu, const QPoint& at)> trackPopup;
    // Runs the network connection dialog; true for OK. Tests answer in its place.
    std::function<bool(CDlgNetworkConnection& dialog)> runNetworkDialog;
    // Runs the node memory download; its result (IDOK, IDCANCEL).
    std::function<int(CDownloadNodeDlg& dialog)> runDownloadDialog;
    // Runs the new-node wizard; true for Finish.
    std::function<bool(CNewNodeWizard& wizard)> runInstallWizard;

    QToolButton* NodeButton(int net, int node) const;
    QPushButton* NetworkButton(int net) const;
    QString NodeCaption(int net, int node) const;
    CListCtrlEx* StatusList() const { return m_statusList; }
    QPushButton* DetailsButton() const { return m_details; }
    bool IsRefreshRunning() const { return m_timer.isActive(); }
    int IconOf(int net, int node) const;

protected:
    qintptr OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam) override;

private:
    void BuildGrid();
    void BuildStatusList();
    void SetNodeIcon(int net, int node, int view);
    void SetCaption(int net, int node, const QString& caption);
    // The clicked button's panel: its VestrelID from the caption, 0 for none.
    std::int32_t ClickedVestrelId() const;
    void OpenNodeSetup();
    void DeleteNode();
    void DownloadAllMemory();
    void InstallPanel();
    void RunFirmwareUpdate();

    CWFDoc* m_doc = nullptr;
    INodeCommandHost& m_host;
    QTimer m_timer;
    std::array<std::array<QToolButton*, kNodesPerNetwork>, kNetworkCount> m_nodeButtons{};
    std::array<std::array<QString, kNodesPerNetwork>, kNetworkCount> m_captions;
    std::array<std::array<int, kNodesPerNetwork>, kNetworkCount> m_icons{};
    std::array<QPushButton*, kNetworkCount> m_networkButtons{};
    CListCtrlEx* m_statusList = nullptr;
    QPushButton* m_details = nullptr;
    bool m_detailsShown = false;
    int m_clickedNet = 0;
    int m_clickedNode = 0;
    QPoint m_clickedCorner;
};
