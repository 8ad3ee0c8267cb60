#include "app/CWFDoc.h"

#include "app/RunState.h"
#include "common/IProgress.h"
#include "common/ProgramObjects.h"
#include "common/RecordsetWalk.h"
#include "database/DatabaseErrors.h"
#include "link/CNetCommand.h"
#include "link/NodeAddress.h"
#include "platform/Database.h"
#include "platform/DatabaseException.h"
#include "platform/DatabaseTransaction.h"
#include "platform/DurableFiles.h"
#include "platform/SqlStatement.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {
const QString kCommandOrder = QStringLiteral("NetCommandID");
constexpr qsizetype kFilesPerProgressStep = 100;
} // namespace

QString CWFDoc::StoredCommandPath(const QString& fileName) const
{
    // The name comes from the database: only a plain file name is used.
    if (!IsPlainFileName(fileName))
        return QString();
    return BuildPath(kNetCommands, fileName);
}

void CWFDoc::RequeryNetCommands()
{
    m_netCommandsSet.m_strFilter.clear();
    m_netCommandsSet.m_strSort.clear();
    m_netCommandsSet.Requery();
}

void CWFDoc::FilterNetCommands(const QString& filter)
{
    if (!m_netCommandsSet.IsOpen())
        return;
    try {
        m_netCommandsSet.m_strFilter = filter;
        m_netCommandsSet.m_strSort.clear();
        m_netCommandsSet.Requery();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

void CWFDoc::ResyncPendingCount()
{
    if (!m_netCommandsSet.IsOpen())
        return;
    try {
        RequeryNetCommands();
        m_nPendingCommands = CountQueuedCommands();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

bool CWFDoc::IsCommandQueueEmpty()
{
    return !m_netCommandsSet.IsOpen() || (m_netCommandsSet.IsBOF() && m_netCommandsSet.IsEOF());
}

bool CWFDoc::StoreNetCommand(const CNetCommand& command)
{
    m_bBindFlag = 1;
    if (!m_netCommandsSet.IsOpen())
        return false;
    std::int32_t id = 0;
    try {
        m_netCommandsSet.AddNew();
        m_netCommandsSet.m_Net = command.m_frameAddress >> NodeAddress::kNetworkShift;
        m_netCommandsSet.m_Node = command.m_frameAddress & NodeAddress::kLowNibble;
        m_netCommandsSet.Update();
        m_netCommandsSet.SetBookmark(m_netCommandsSet.GetLastModifiedBookmark());
        id = m_netCommandsSet.m_NetCommandID;
        m_netCommandsSet.Edit();
        m_netCommandsSet.m_FileName = CNetCommand::FileName(id);
        m_netCommandsSet.Update();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    // The row and its file stand together: a row whose file could not be
    // written is taken back at once. Inside a store transaction the file is
    // made durable with the others before the row is committed.
    const QString path = BuildPath(kNetCommands, CNetCommand::FileName(id));
    if (!(m_commandFiles ? command.SaveToFile(path, *m_commandFiles) : command.SaveToFile(path))) {
        try {
            if (m_netCommandsSet.FindFirst(QStringLiteral("NetCommandID = %1").arg(id)))
                m_netCommandsSet.Delete();
        } catch (const DatabaseException& error) {
            ShowDatabaseError(error);
        }
        return false;
    }
    ++m_nPendingCommands;
    return true;
}

bool CWFDoc::RemoveNetCommand(std::int32_t commandId)
{
    try {
        if (!m_netCommandsSet.IsOpen() || !m_netCommandsSet.FindFirst(QStringLiteral("NetCommandID = %1").arg(commandId)))
            return false;
        const QString path = StoredCommandPath(m_netCommandsSet.m_FileName);
        if (!path.isEmpty())
            QFile::remove(path);
        m_netCommandsSet.Delete();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    m_nPendingCommands = std::max(0, m_nPendingCommands - 1);
    return true;
}

bool CWFDoc::GetNextStoredCommand(QString& path, std::int32_t& commandId)
{
    if (!m_netCommandsSet.IsOpen())
        return false;
    bool found = false;
    try {
        if (m_netCommandsSet.m_strSort != kCommandOrder) {
            m_netCommandsSet.m_strSort = kCommandOrder;
            m_netCommandsSet.Requery();
        }
        for (bool row = MoveToFirstRow(m_netCommandsSet); row && !m_netCommandsSet.IsEOF(); m_netCommandsSet.MoveNext()) {
            const int net = m_netCommandsSet.m_Net;
            const int node = m_netCommandsSet.m_Node == NodeAddress::kAllNodes ? 1 : m_netCommandsSet.m_Node;
            if (IsNodeInRange(net, node) && NodeStatusFlag[net - 1][node - 1])
                continue;
            const QString name = m_netCommandsSet.m_FileName;
            const QString file = StoredCommandPath(name);
            // A name that could reach outside the folder is never read: the
            // row comes back without a path, so it is set aside and reported
            // as a file that cannot be read.
            if (!name.isEmpty() && file.isEmpty()) {
                path.clear();
                commandId = m_netCommandsSet.m_NetCommandID;
                found = true;
                break;
            }
            if (!file.isEmpty() && QFile::exists(file)) {
                path = file;
                commandId = m_netCommandsSet.m_NetCommandID;
                found = true;
                break;
            }
            // A row without its file is what a crash leaves: it goes, and so does its count.
            m_netCommandsSet.Delete();
            m_nPendingCommands = std::max(0, m_nPendingCommands - 1);
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    m_netCommandsSet.m_strSort.clear();
    return found;
}

std::optional<SetAsideCommand> CWFDoc::SetAsideNetCommand(std::int32_t commandId)
{
    SetAsideCommand setAside;
    try {
        if (!m_netCommandsSet.IsOpen() || !m_netCommandsSet.FindFirst(QStringLiteral("NetCommandID = %1").arg(commandId)))
            return std::nullopt;
        setAside.net = m_netCommandsSet.m_Net;
        setAside.node = m_netCommandsSet.m_Node;
        setAside.fileName = m_netCommandsSet.m_FileName;
        // The file goes aside before its row: a crash between the two leaves
        // a row without a file, which the next walk removes.
        const QString path = StoredCommandPath(setAside.fileName);
        const QString keptAs = CNetCommand::UnreadableFileName(setAside.fileName);
        const QString keptPath = StoredCommandPath(keptAs);
        if (!path.isEmpty() && !keptPath.isEmpty()) {
            QFile::remove(keptPath);
            if (QFile::rename(path, keptPath))
                setAside.keptAs = keptAs;
        }
        m_netCommandsSet.Delete();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return std::nullopt;
    }
    m_nPendingCommands = std::max(0, m_nPendingCommands - 1);
    return setAside;
}

void CWFDoc::RemoveCommandRows(const QStringList& fileNames)
{
    {
        DatabaseTransaction rows(m_netCommandsSet.GetDefaultDBName());
        const auto database = Database::Open(m_netCommandsSet.GetDefaultDBName());
        SqlStatement remove(database->Handle(), QStringLiteral("DELETE FROM [NetCommands] WHERE FileName = ?"));
        for (const QString& name : fileNames) {
            remove.Reset();
            remove.Bind(1, name);
            remove.Step();
        }
        rows.Commit();
    }
    ResyncPendingCount();
}

void CWFDoc::RemoveUnlistedCommandFiles()
{
    if (!m_netCommandsSet.IsOpen())
        return;
    QDir files(BuildPath(kNetCommands, QString()));
    const QStringList names = files.entryList(QDir::Files | QDir::Hidden | QDir::System);
    const QSet<QString> present(names.begin(), names.end());
    QSet<QString> listed;
    QStringList fileless;
    const auto database = Database::Open(m_netCommandsSet.GetDefaultDBName());
    SqlStatement rows(database->Handle(), QStringLiteral("SELECT FileName FROM [NetCommands]"));
    while (rows.Step()) {
        const QString name = rows.Value(0).toString();
        listed.insert(name);
        if (!present.contains(name))
            fileless << name;
    }
    // A row whose file is gone was sent or taken back when its removal
    // could not be recorded: it goes too.
    if (!fileless.isEmpty())
        RemoveCommandRows(fileless);
    // Files set aside as unreadable are kept for whoever looks into them.
    const QString setAside = CNetCommand::UnreadableFileName(QString());
    for (const QString& name : names) {
        if (!listed.contains(name) && !name.endsWith(setAside))
            files.remove(name);
    }
}

bool CWFDoc::DeleteFolderContents(const QString& folder)
{
    QDir files(folder);
    const QStringList names = files.entryList(QDir::Files | QDir::Hidden | QDir::System);
    IProgressFactory* factory = GetProgressFactory();
    const std::unique_ptr<IProgress> progress =
        factory ? factory->Open(IProgress::Plain, QStringLiteral("Cleaning folders..."), QString(),
                                static_cast<int>(names.size()))
                : nullptr;
    bool removed = true;
    for (qsizetype n = 0; n < names.size(); ++n) {
        removed = files.remove(names[n]) && removed;
        // A queue of a large site holds tens of thousands of files.
        if (progress && (n + 1) % kFilesPerProgressStep == 0)
            progress->SetPos(static_cast<int>(n + 1));
    }
    return removed;
}

bool CWFDoc::ClearNetCommands()
{
    if (!m_netCommandsSet.IsOpen())
        return false;
    try {
        // Every row, whatever network the queue has the recordset filtered
        // to: the folder's files all go below.
        m_netCommandsSet.m_strFilter.clear();
        m_netCommandsSet.m_strSort.clear();
        m_netCommandsSet.DeleteAll();
        m_nPendingCommands = 0;
        DeleteFolderContents(BuildPath(kNetCommands, QString()));
        RequeryNetCommands();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    return true;
}

void CWFDoc::RemoveNodeCommands(int net, int node)
{
    if (IsCommandQueueEmpty())
        return;
    std::vector<std::int32_t> ids;
    try {
        const QString rows = QStringLiteral("Net = %1 AND Node = %2").arg(net).arg(node);
        for (bool found = m_netCommandsSet.FindFirst(rows); found; found = m_netCommandsSet.FindNext(rows))
            ids.push_back(m_netCommandsSet.m_NetCommandID);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    for (std::int32_t id : ids)
        RemoveNetCommand(id);
    RequeryNetCommands();
}

void CWFDoc::RemoveAllNetCommands()
{
    std::vector<std::int32_t> ids;
    try {
        for (bool row = MoveToFirstRow(m_netCommandsSet); row && !m_netCommandsSet.IsEOF(); m_netCommandsSet.MoveNext())
            ids.push_back(m_netCommandsSet.m_NetCommandID);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    for (std::int32_t id : ids)
        RemoveNetCommand(id);
}

int CWFDoc::CountQueuedCommands()
{
    try {
        return m_netCommandsSet.IsOpen() ? std::max<int>(0, m_netCommandsSet.GetRecordCount()) : 0;
    } catch (const DatabaseException&) {
        return 0;
    }
}

bool CWFDoc::HasQueuedCommand(int net, int node)
{
    if (IsCommandQueueEmpty())
        return false;
    try {
        return m_netCommandsSet.FindFirst(QStringLiteral("Net = %1 AND Node = %2").arg(net).arg(node));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool CWFDoc::FindQueuedNet(int net)
{
    // Whether the queue has an entry for the network; asking the networks
    // table instead complains about every network without a row.
    return m_netQueue.CountNodes(net) > 0;
}
