#pragma once

#include <QString>

#include <cstdint>

class CWFDoc;
class INodeCommandHost;

// What the network status pane does for one node, without widgets: the
// checks of a click on a node button and the node menu's commands. Every
// message goes through the message-box function.
class NodeCommands
{
public:
    // The operator right the node menus and their destructive commands need.
    static constexpr int kNodePrivilege = 4;
    // Flags bit 0 of a panel's row: the whole node is to be programmed again.
    static constexpr std::int32_t kReprogramWholeNode = 0x01;

    enum class Menu { None, InstalledPanel, EmptyNode };

    // The menu a click opens, with what it offers.
    struct Click
    {
        Menu menu = Menu::None;
        bool deleteAndDownload = false;
        bool clearQueue = false;
        bool firmwareUpdate = false;
    };

    NodeCommands(CWFDoc& doc, INodeCommandHost& host) : m_doc(doc), m_host(host) {}

    // A node button was clicked; installed when its caption names a panel.
    Click OnNodeButton(int net, int node, bool installed);

    void ResetNode(int net, int node);
    void ResetSupervisedFlags(int net, int node);
    void ReprogramNode(int net, int node);
    void ClearNodeQueue(int net, int node);
    // False, having said why, when the panel may not be installed now.
    bool MayInstallPanel(int net, int node);
    // Before the memory download: true when the node's memory is to be read
    // now, its download folder made. Otherwise the operator was told why, or
    // chose to keep the last download (and may have seen it).
    bool MayDownloadMemory(int net, int node);
    // After the download dialog ended with result (cancelled: by the operator).
    void AfterDownload(int net, int node, int result, bool cancelled);
    // Asks first; true when the operator said Yes (the panel is gone, when
    // vestrelId named one).
    bool DeleteNode(std::int32_t vestrelId);

    // Whether the outside firmware-update program is there.
    bool HasFirmwareProgram() const;

    // Whether the installation holds stored commands for the network.
    static bool HasNetworkCommands(CWFDoc& doc, int net);

private:
    void QueueNodeControl(int net, int node, std::uint8_t flag);
    // The file of a row's FileName in a folder kind; empty for a name that
    // is not a plain file name.
    QString PanelFilePath(int kind, const QString& fileName) const;
    void ClearFloorRows(int net, int node);

    CWFDoc& m_doc;
    INodeCommandHost& m_host;
};
