#pragma once

#include "app/CWFDoc.h"
#include "link/CNetCommand.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

struct StoredCommand
{
    std::int32_t id;
    CNetCommand command;
};

// Every stored command of the open installation, read back from its file,
// oldest first, by node byte; each row must name its own file and node.
inline std::map<int, std::vector<StoredCommand>> ReadStoredCommandsByNode(CWFDoc& doc)
{
    std::map<int, std::vector<StoredCommand>> nodes;
    CSetNetCommands& rows = doc.m_netCommandsSet;
    rows.m_strFilter.clear();
    rows.m_strSort = "NetCommandID";
    rows.Requery();
    for (bool row = !(rows.IsBOF() && rows.IsEOF()); row && !rows.IsEOF(); rows.MoveNext()) {
        StoredCommand stored{rows.m_NetCommandID, {}};
        EXPECT_EQ(rows.m_FileName, CNetCommand::FileName(rows.m_NetCommandID));
        EXPECT_TRUE(stored.command.LoadFromFile(doc.BuildPath(CWFDoc::kNetCommands, rows.m_FileName), rows.m_NetCommandID));
        EXPECT_EQ(stored.command.m_frameAddress, (rows.m_Net << 4) | rows.m_Node);
        nodes[(rows.m_Net << 4) | rows.m_Node].push_back(stored);
    }
    rows.m_strSort.clear();
    rows.Requery();
    return nodes;
}
