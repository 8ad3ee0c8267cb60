#pragma once

#include <QString>

#include <functional>

// Where the database layer writes what the operator is not told but the
// cause of a later failure needs (an upgrade that was discarded). The
// application points it at its log; until then it goes to the debug output.
using DatabaseLogSink = std::function<void(const QString&)>;
void SetDatabaseLogSink(DatabaseLogSink sink);
void WriteDatabaseLog(const QString& text);
