#pragma once

#include <QString>

#include <vector>

// An entry of the event-log area's log list: the text it shows and the log
// it stands for, "Current event log" or an archive's file name without its
// final ".mdb". An archive shows its name up to the first '.', so two files
// can show one text; each keeps its own file.
struct EventLogEntry
{
    QString text;
    QString log;
};

// The logs the area can search, in list order (alphabetical, case ignored):
// the installation's own and each "*.mdb" file of its Event Logs folder.
std::vector<EventLogEntry> ListEventLogs(const QString& installationFolder);
// The place of "Current event log" in the list.
int CurrentEventLogIndex(const std::vector<EventLogEntry>& entries);

// Deletes an archived log after the operator agrees; the current log and an
// entry without text are refused with their messages. True when the file
// went.
bool DeleteEventLog(const QString& installationFolder, const EventLogEntry& entry);
