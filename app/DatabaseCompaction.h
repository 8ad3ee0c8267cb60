#pragma once

#include <QString>

class CWFDoc;

// Compacting the installation's database files with the program-wide
// recordsets closed around each file.
namespace DatabaseCompaction
{
// Compacts one file given relative to the installation folder
// ("Database/Cards.mdb") through "Database/Temp.mdb", which is removed before
// and after. The compacted copy replaces the file in one rename; a failure of
// that is shown and the file is left as it was. A failure of the compaction
// itself throws DatabaseException. Connections on the file must be closed.
void CompactDatabaseFile(const QString& installationFolder, const QString& relativeName);

// Takes the program offline (asking), removes the entry codes marked deleted,
// then compacts the thirteen files in their fixed order. Closes the
// document's installation data on the way: the caller reopens it. False when
// the operator stayed online or a failure ended the run.
bool CompactAll(CWFDoc& doc);

// Compacts everything, reopens the installation's data and flags it for
// programming. A reopen that fails ends as a failed opening does.
void Optimize(CWFDoc& doc);
} // namespace DatabaseCompaction
