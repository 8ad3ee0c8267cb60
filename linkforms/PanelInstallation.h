#pragma once

#include "linkforms/NewNodeNames.h"

#include <functional>
#include <optional>

class CWFDoc;
class INodeCommandHost;

// Installs a new panel at an empty node, without widgets: the checks, the
// wizard's names, then the panel's row, its image file with the names and
// the network's link password, its queue entry and a poll pass.
class PanelInstallation
{
public:
    // Runs the new-node wizard; the names on Finish, none for any other end.
    using RunWizard = std::function<std::optional<NewNodeNames>(int net, int node)>;

    PanelInstallation(CWFDoc& doc, INodeCommandHost& host) : m_doc(doc), m_host(host) {}

    // True when the wizard ran (the pane is refreshed then); nothing is
    // written unless it ended with Finish.
    bool Install(int net, int node, const RunWizard& runWizard);

private:
    // The new panel's row; false, nothing kept, when it could not be made.
    bool AddPanelRow(int net, int node, const NewNodeNames& names);
    // Creates and fills the image file of the current panel row.
    bool WriteImage(int net, int node, const NewNodeNames& names, const QString& path);

    CWFDoc& m_doc;
    INodeCommandHost& m_host;
};
