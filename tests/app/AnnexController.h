#pragma once

#include "app/CWFDoc.h"
#include "database/GlobalRecordsets.h"

#include <cstdint>

// Controller "Annex" at B1 of the network row networkRow, on the image file
// the site already has for it, given to the queue. False when the row does
// not read back.
inline bool AddAnnexController(CWFDoc& doc, std::int32_t networkRow)
{
    g_setVestrels.AddNew();
    g_setVestrels.m_VestrelName = QStringLiteral("Annex");
    g_setVestrels.m_NetAddress = 2;
    g_setVestrels.m_NodeAddress = 1;
    g_setVestrels.m_NodeID = networkRow;
    g_setVestrels.m_FileName = QStringLiteral("Vestrel21.dat");
    g_setVestrels.m_PanelType = 1;
    g_setVestrels.Update();
    if (!g_setVestrels.FindByAddress(2, 1))
        return false;
    doc.m_netQueue.AddNode(g_setVestrels);
    return true;
}
