#pragma once

class DatabaseException;

// A recordset helper's handler: the error's description with the
// exclamation icon.
void ShowDatabaseError(const DatabaseException& error);
// The general handler of larger operations: what kind of error it was, then
// the error's own report.
void ShowDatabaseExceptionReport(const DatabaseException& error);
void ShowMemoryExceptionReport();
