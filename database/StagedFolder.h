#pragma once

#include <QString>
#include <QTemporaryDir>

// A set of files and folders made in a hidden folder inside a target folder
// and moved into the target only when whole: until the commit, and after a
// failed one, the target holds what it held before.
class StagedFolder
{
public:
    explicit StagedFolder(const QString& target);

    bool IsValid() const { return m_staging.isValid(); }
    // Where the new set is made.
    QString Path() const { return m_staging.path(); }
    // Moves every entry of the set into the target, replacing entries of the
    // same name, the entry named last after all others. On a failure the
    // target gets back what was moved away.
    bool Commit(const QString& last);

private:
    QString m_target;
    // Whatever is left here goes with the object: an uncommitted set, or the
    // entries the committed set replaced.
    QTemporaryDir m_staging;
};
