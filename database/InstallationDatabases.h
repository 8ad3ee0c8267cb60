#pragma once

#include <QString>

// Set when the program-wide recordsets are closed, cleared when an
// installation's data is opened and at start-up; pages that save on hiding
// test it.
extern bool g_bDatabasesClosed;

// Opens the seventeen program-wide recordsets on the installation's database
// folder, running the schema upgrades first. FALSE after the first failure,
// which has been shown; later recordsets stay closed. A recordset already
// open keeps the folder it was opened with.
bool OpenInstallationDatabases(const QString& folder);
// Closes every open program-wide recordset and lets its connection go.
void CloseInstallationDatabases();

// Bring an older installation's files up to the fields bound today. Each
// is applied whole or not at all; a failure is logged and the open goes on.
void UpgradeEntryNumbersTable();
void UpgradeEntryCodesTable();
