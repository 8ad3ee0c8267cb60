#include "image/CPagedBinder.h"

#include "image/BindingLog.h"
#include "image/CBindManager.h"
#include "image/CBindTree.h"
#include "platform/Archive.h"
#include "platform/DurableFiles.h"

#include <QFileInfo>

namespace {
QString PathIn(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name;
}
} // namespace

int CPagedBinder::GenerateCommands(std::uint8_t nodeCode, int force)
{
    return m_manager.GenerateFileCommands(nodeCode, UnitSize(), Bank(), FileName(), force);
}

int CPagedBinder::Store()
{
    m_manager.StoreFile(FileName());
    return 1;
}

std::optional<QByteArray> CPagedBinder::ReadBinderFile() const
{
    const QString path = PathIn(m_manager.ControllerFolder(), FileName());
    if (!QFileInfo::exists(path))
        return QByteArray();
    return ReadWholeFile(path);
}

bool CPagedBinder::WriteBinderFile(const QByteArray& bytes) const
{
    if (!WriteWholeFile(PathIn(m_manager.ControllerFolder(), FileName()), bytes))
        return false;
    m_manager.NoteBoundFile(FileName());
    return true;
}

int CPagedBinder::SaveTree(const CBindTree& tree, const QString& treeName) const
{
    if (!WriteBinderFile(tree.FileBytes())) {
        LogBinding(QStringLiteral("%1: the file could not be written.").arg(PathIn(m_manager.ControllerFolder(), FileName())));
        return 0;
    }
    tree.LogStatistics(treeName);
    return 1;
}
