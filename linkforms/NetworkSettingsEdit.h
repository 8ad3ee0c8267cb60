#pragma once

#include "linkforms/NetworkConnectionValues.h"

#include <optional>

class CWFDoc;
class INodeCommandHost;

// What a network button of the network status pane does, without widgets:
// the network's row as the connection dialog edits it, and the edited values
// written back with what a change of the enabled flag asks for.
class NetworkSettingsEdit
{
public:
    NetworkSettingsEdit(CWFDoc& doc, INodeCommandHost& host) : m_doc(doc), m_host(host) {}

    // The row's values; none, having said so, when the network has no row.
    std::optional<NetworkConnectionValues> Load(int net);
    // Writes the values into the network's row; a network switched off loses
    // the queued commands, one switched on may have its panels reprogrammed.
    // The form's network list is filled again.
    void Store(const NetworkConnectionValues& values);

private:
    void OfferReprogram(int net);

    CWFDoc& m_doc;
    INodeCommandHost& m_host;
};
