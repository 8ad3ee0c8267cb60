#include "database/StagedFolder.h"

#include "platform/DurableFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace {

const QString kStagingPattern = QStringLiteral("/.staging-XXXXXX");
const QString kReplacedFolder = QStringLiteral(".replaced");

bool Exists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// One rename, never the copy QDir falls back to when a file's rename fails:
// that copy is neither durable nor whole, yet reports success.
bool RenameEntry(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

StagedFolder::StagedFolder(const QString& target)
    : m_target(target)
    , m_staging(target + kStagingPattern)
{
}

bool StagedFolder::Commit(const QString& last)
{
    QDir staging(Path());
    QStringList names = staging.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (names.removeAll(last) > 0)
        names.append(last);
    if (!staging.mkdir(kReplacedFolder))
        return false;
    const QDir replaced(staging.filePath(kReplacedFolder));
    const QDir target(m_target);

    struct Move
    {
        QString name;
        bool replacedOld;
    };
    std::vector<Move> done;
    const auto undo = [&] {
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            RenameEntry(target.filePath(it->name), staging.filePath(it->name));
            if (it->replacedOld)
                RenameEntry(replaced.filePath(it->name), target.filePath(it->name));
        }
        return false;
    };
    for (const QString& name : names) {
        const bool replacesOld = Exists(target.filePath(name));
        if (replacesOld && !RenameEntry(target.filePath(name), replaced.filePath(name)))
            return undo();
        if (!RenameEntry(staging.filePath(name), target.filePath(name))) {
            if (replacesOld)
                RenameEntry(replaced.filePath(name), target.filePath(name));
            return undo();
        }
        done.push_back({name, replacesOld});
    }
    // Moves the disk may not keep are taken back as any other failure.
    if (!names.isEmpty() && !DurableFiles::SyncFolderOf(target.filePath(names.last())))
        return undo();
    return true;
}
