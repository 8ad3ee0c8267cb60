#pragma once

#include "platform/TableDef.h"

#include <QString>

#include <vector>

// The tables of an installation's database files, in one place: every field
// with its type, the key and the indexes on the fields that are searched.
struct DatabaseFileDef
{
    QString fileName; // as it lies in the installation's database folder
    std::vector<TableDef> tables;
};

namespace Schema
{
// The thirteen files of an installation.
const std::vector<DatabaseFileDef>& InstallationFiles();
// The file whose name matches, case ignored; null when none does.
const DatabaseFileDef* FindFile(const QString& fileName);
// The table of one file; null when there is none.
const TableDef* FindTable(const QString& fileName, const QString& tableName);

// Writes one empty database file from its definition (an archived event log
// takes the definition of EventLog.mdb). The file must not exist yet.
void CreateDatabaseFile(const QString& path, const DatabaseFileDef& file);
// Writes the empty databases of a new installation into folder, which is
// made when missing. Existing files are an error and are left alone.
void CreateInstallationDatabases(const QString& folder);
} // namespace Schema
