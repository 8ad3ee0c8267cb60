#include "app/DatabaseCompaction.h"

#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "database/InstallationDatabases.h"
#include "platform/Database.h"
#include "platform/DatabaseException.h"
#include "platform/DurableFiles.h"
#include "platform/MessageBox.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <new>
#include <vector>

namespace DatabaseCompaction
{
namespace
{
const QString kTemporaryFile = QStringLiteral("Database/Temp.mdb");

// How a step reports a database error, and whether the run goes on.
enum class OnError { Report, Describe, Stop };

// What a step does before its recordsets close.
enum class Before { Nothing, PurgeDeletedCodes, CloseDocumentData };

struct Step
{
    const char* file;
    std::vector<Recordset*> sets;
    OnError onError;
    Before before = Before::Nothing;
};

void PurgeDeletedEntryCodes()
{
    if (!g_setEntryCodes.IsOpen())
        g_setEntryCodes.Open();
    g_setEntryCodes.m_strFilter = QStringLiteral("Deleted = TRUE");
    try {
        g_setEntryCodes.DeleteAll();
    } catch (...) {
        g_setEntryCodes.m_strFilter.clear();
        throw;
    }
    g_setEntryCodes.m_strFilter.clear();
    g_setEntryCodes.Requery();
}

void CompactStep(const QString& installationFolder, const Step& step)
{
    for (Recordset* set : step.sets)
        set->Close();
    CompactDatabaseFile(installationFolder, QStringLiteral("Database/") + QLatin1String(step.file));
    for (Recordset* set : step.sets)
        set->Open();
}
} // namespace

void CompactDatabaseFile(const QString& installationFolder, const QString& relativeName)
{
    const QString target = CWFDoc::BuildPath(CWFDoc::kInstallation, relativeName, installationFolder);
    const QString temporary = CWFDoc::BuildPath(CWFDoc::kInstallation, kTemporaryFile, installationFolder);
    QFile::remove(temporary);
    Database::CompactInto(target, temporary);
    // A rename, not a copy: the file is either the old one or the compacted one.
    errno = 0;
    if (Database::IsOpenFile(target) || !MoveIntoPlace(temporary, target)) {
        const bool denied = errno == EACCES || errno == EPERM;
        const QString text = denied
                                 ? QStringLiteral("ACCESS DENIED: Error copying Temp.mdb during database optimization.\n\nDestination: %1")
                                 : QStringLiteral("Error copying Temp.mdb during database optimization.\n\nDestination: %1");
        ShowMessageBox(text.arg(target));
    }
    QFile::remove(temporary);
}

bool CompactAll(CWFDoc& doc)
{
    if (!GoOfflineForCommand(true, true))
        return false;
    const QString folder = doc.m_strInstallationFolder;
    const Step steps[] = {
        {"Cards.mdb", {&g_setCardBlocks, &g_setCards, &g_setSingleCard}, OnError::Report},
        {"EntryCodes.mdb", {&g_setEntryCodes}, OnError::Report, Before::PurgeDeletedCodes},
        {"EntryNumbers.mdb", {&g_setPhoneEntries}, OnError::Describe},
        {"NetCommands.mdb", {&doc.m_netCommandsSet}, OnError::Describe, Before::CloseDocumentData},
        {"NetworkNodes.mdb", {&g_setVLNetworks}, OnError::Describe},
        {"Vestrels.mdb", {&g_setVestrels}, OnError::Describe},
        {"DisplayMessages.mdb", {&g_setDisplayMessages}, OnError::Describe},
        {"DoorValidationGroups.mdb", {&g_setDoorValGroup}, OnError::Describe},
        {"FloorValidationGroups.mdb", {&g_setFloorValGroup}, OnError::Describe},
        {"Users.mdb", {&g_setUsers, &g_setUserGroups}, OnError::Describe},
        {"EventLog.mdb", {&g_setEventLog}, OnError::Describe},
        {"FloorNames.mdb", {&g_setFloorNames}, OnError::Describe},
        {"Transmitters.mdb", {&g_setTransmitterBlocks, &g_setTransmitters, &g_setSingleXmtr}, OnError::Stop},
    };
    try {
        for (const Step& step : steps) {
            try {
                if (step.before == Before::PurgeDeletedCodes)
                    PurgeDeletedEntryCodes();
                else if (step.before == Before::CloseDocumentData)
                    doc.OpenInstallation(false);
                CompactStep(folder, step);
            } catch (const DatabaseException& error) {
                if (step.onError == OnError::Describe) {
                    ShowDatabaseError(error);
                    continue;
                }
                ShowDatabaseExceptionReport(error);
                if (step.onError == OnError::Stop)
                    return false;
            }
        }
    } catch (const std::bad_alloc&) {
        ShowMemoryExceptionReport();
        return false;
    }
    return true;
}

void Optimize(CWFDoc& doc)
{
    const bool compacted = CompactAll(doc);
    // A run that ended after the document closed its data still reopens it,
    // so the program is not left without its databases.
    if (!compacted && !g_bDatabasesClosed)
        return;
    // A reopen that failed part way (a file left read-only) leaves some
    // recordsets closed; nothing may run on such a half-open installation.
    if (!doc.OnSaveDocument(doc.GetPathName())) {
        // The installation to go back to is the one that failed: the program closes.
        doc.AbandonOpening(doc.GetPathName());
        return;
    }
    if (!compacted)
        return;
    MarkDataToProgram();
    ShowMessageBox(QStringLiteral("The internal database has been optimized."));
}
} // namespace DatabaseCompaction
