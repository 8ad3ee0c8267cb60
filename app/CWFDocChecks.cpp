#include "app/CWFDoc.h"

#include "app/CWFApp.h"
#include "app/RunState.h"
#include "app/DatabaseCompaction.h"
#include "database/DatabaseErrors.h"
#include "database/DatabaseFiles.h"
#include "database/GlobalRecordsets.h"
#include "platform/Archive.h"
#include "platform/Database.h"
#include "platform/DatabaseException.h"
#include "platform/DurableFiles.h"
#include "platform/MessageBox.h"
#include "platform/SqlStatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>


namespace {

constexpr double kFirstWardixVersion = 1.0;
constexpr qint64 kLargestUncompactedQueue = 1024000;

const QString kFloorNamesFile = QStringLiteral("FloorNames.mdb");
const QString kNetworkNodesFile = QStringLiteral("NetworkNodes.mdb");
const QString kOldNetworkNodesFile = QStringLiteral("NetworkNodes2.mdb");
const QString kNetCommandsFile = QStringLiteral("NetCommands.mdb");
const QString kNetworkNodesTable = QStringLiteral("NetworkNodes");

// The fields a network row carries today, in the order they are copied.
const QStringList kNetworkFields = {"NodeID",     "PhoneNo",      "Net",           "Password",        "Active",
                                    "AreaCode",   "CountryID",    "ConnectUsing",  "CountryAndAreaCode",
                                    "strCountyCode", "DaylightSavings", "HoursOffset", "NetName"};

// By the mode bits: a superuser could write the file all the same.
bool IsReadOnly(const QString& path)
{
    return !(QFile::permissions(path) & QFileDevice::WriteOwner);
}

// The test every database check starts with: a file that cannot be read
// fails quietly, a read-only one is reported.
bool PassesReadOnlyTest(const QString& path, const QString& sentence)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (IsReadOnly(path)) {
        ShowMessageBox(QStringLiteral("%1\n\nPath: %2\n\n%3").arg(sentence, path, QStringLiteral("Close Wardix and uncheck this attribute.")),
                       MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    return true;
}

// The two ways a template copy is reported: access denied, and anything else
// (a format taking the destination).
struct CopyFailureTexts
{
    const char* accessDenied;
    const char* otherFormat;
};

constexpr CopyFailureTexts kFloorNamesCopyTexts = {"ACCESS DENIED: Error copying FloorNames.mdb file.",
                                                   "Error copying FloorNames.mdb file.\n\nDestination: %1"};
// The doubled extension is the program's own wording.
constexpr CopyFailureTexts kNetworkNodesCopyTexts = {"ACCESS DENIED: Error copying NetworkNodes.mdb file.",
                                                     "Error copying NetworkNodes.mdb.mdb file.\n\nDestination: %1"};

// Copies the template's file to target, whole; a failure is reported
// against the destination the operator knows.
bool CopyTemplateFile(const QString& source, const QString& target, const QString& shownDestination,
                      const CopyFailureTexts& texts)
{
    if (const std::optional<QByteArray> bytes = ReadWholeFile(source); bytes && WriteWholeFile(target, *bytes))
        return true;
    const QFileInfo folder(QFileInfo(target).absolutePath());
    if (folder.exists() && !folder.isWritable())
        ShowMessageBox(QStringLiteral("%1\n\nDestination path: %2\n\n%3")
                           .arg(QString::fromLatin1(texts.accessDenied), shownDestination,
                                QStringLiteral("Note: Check file attributes for READ-ONLY.")));
    else
        ShowMessageBox(QString::fromLatin1(texts.otherFormat).arg(shownDestination));
    return false;
}

// Whether the file holds the network table in a layout older than today's.
std::optional<bool> IsOldNetworkLayout(const QString& path)
{
    try {
        const auto db = Database::Open(path);
        QStringList present;
        for (const ColumnDef& column : db->Fields(kNetworkNodesTable))
            present << column.name.toLower();
        for (const QString& field : kNetworkFields) {
            if (!present.contains(field.toLower()))
                return true;
        }
        return false;
    } catch (const DatabaseException&) {
        return std::nullopt;
    }
}

// Writes the old rows over the new table's rows, both in Net order; fields
// the old layout lacks keep the new table's values.
void CopyNetworkRows(const QString& oldPath, const QString& newPath)
{
    const auto oldDb = Database::Open(oldPath);
    const auto newDb = Database::Open(newPath);
    QStringList shared;
    QStringList oldColumns;
    for (const ColumnDef& column : oldDb->Fields(kNetworkNodesTable))
        oldColumns << column.name.toLower();
    for (const QString& field : kNetworkFields) {
        if (oldColumns.contains(field.toLower()))
            shared << field;
    }
    QStringList selected;
    QStringList assignments;
    for (const QString& field : shared) {
        selected << BracketName(field);
        assignments << BracketName(field) + QStringLiteral(" = ?");
    }
    SqlStatement oldRows(oldDb->Handle(), QStringLiteral("SELECT %1 FROM [NetworkNodes] ORDER BY [Net]").arg(selected.join(QStringLiteral(", "))));
    SqlStatement newRows(newDb->Handle(), QStringLiteral("SELECT rowid FROM [NetworkNodes] ORDER BY [Net]"));
    std::vector<qint64> targets;
    while (newRows.Step())
        targets.push_back(newRows.Int64(0));
    newDb->Execute(QStringLiteral("BEGIN"));
    try {
        SqlStatement update(newDb->Handle(), QStringLiteral("UPDATE [NetworkNodes] SET %1 WHERE rowid = ?").arg(assignments.join(QStringLiteral(", "))));
        for (qint64 target : targets) {
            if (!oldRows.Step())
                break;
            update.Reset();
            for (int i = 0; i < shared.size(); ++i)
                update.Bind(i + 1, oldRows.Value(i));
            update.BindInt64(static_cast<int>(shared.size()) + 1, target);
            update.Step();
        }
        newDb->Execute(QStringLiteral("COMMIT"));
    } catch (...) {
        newDb->Execute(QStringLiteral("ROLLBACK"));
        throw;
    }
}

} // namespace

bool CWFDoc::CheckInstallationCompatibility()
{
    if (CWFApp::ReadInstallationVersion(m_strPathName) < kFirstWardixVersion) {
        ShowMessageBox(QStringLiteral("%1\n\nPath: %2\n\n%3\n\n%4")
                           .arg(QStringLiteral("The installation you are trying to open was created with a version of "
                                               "Wardenfold prior to Wardix."),
                                m_strPathName,
                                QStringLiteral("The Convert Wizard can be used to make this installation compatible with Wardix."),
                                QStringLiteral("The Convert Wizard is found with the Wardenfold programs in the applications menu.")),
                       MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    if (!CheckFloorNamesDatabase())
        return false;
    g_setFloorNames.Close();
    const bool nodesOk = CheckNetworkNodesDatabase();
    g_setVLNetworks.Close();
    return nodesOk;
}

bool CWFDoc::CheckFloorNamesDatabase()
{
    g_setFloorNames.m_strDBFolder = BuildPath(kInstallation, QStringLiteral("Database"));
    const QString path = g_setFloorNames.GetDefaultDBName();
    if (!PassesReadOnlyTest(path, QStringLiteral("The FloorNames.mdb file is READ_ONLY.")))
        return false;
    try {
        g_setFloorNames.Open();
        return true;
    } catch (const DatabaseException& error) {
        g_setFloorNames.Close();
        // Only a file that is not a floor-names database is replaced; a
        // locked or otherwise failing one is left for the operator.
        const int code = error.ErrorCode();
        if (code != JetError::NotADatabase && code != JetError::TableNotFound && code != JetError::FieldMissing) {
            ShowDatabaseError(error);
            SkipProfileSave = 1;
            return false;
        }
        if (!RestoreFloorNamesDatabase()) {
            SkipProfileSave = 1;
            return false;
        }
        return true;
    }
}

bool CWFDoc::RestoreFloorNamesDatabase()
{
    const QString destination = BuildPath(kInstallation, QStringLiteral("Database/") + kFloorNamesFile);
    const QString kept = destination + QStringLiteral(".bad");
    Database::CloseAllConnections();
    // The unreadable file is replaced only once its copy is kept.
    if (QFile::exists(destination) && !CopyTemplateFile(destination, kept, kept, kFloorNamesCopyTexts))
        return false;
    if (!CopyTemplateFile(BuildPath(kNewInstallation, QStringLiteral("Database/") + kFloorNamesFile), destination,
                          destination, kFloorNamesCopyTexts))
        return false;
    ShowMessageBox(QStringLiteral("%1 could not be read and was replaced by an empty floor-names table.\n\nThe old file was kept as %2.")
                       .arg(kFloorNamesFile, kept),
                   MbButtons::Ok, MbIcon::Exclamation);
    return true;
}

bool CWFDoc::CheckNetworkNodesDatabase()
{
    g_setVLNetworks.m_strDBFolder = BuildPath(kInstallation, QStringLiteral("Database"));
    const QString path = g_setVLNetworks.GetDefaultDBName();
    if (!PassesReadOnlyTest(path, QStringLiteral("The NetworkNodes.mdb file is READ_ONLY.")))
        return false;
    try {
        g_setVLNetworks.Open();
        return true;
    } catch (const DatabaseException& error) {
        g_setVLNetworks.Close();
        if (IsOldNetworkLayout(path).value_or(false))
            return ConvertNetworkNodes();
        ShowDatabaseError(error);
        return false;
    }
}

bool CWFDoc::ConvertNetworkNodes()
{
    // Works on copies: the installation's table is replaced only once the
    // converted one is complete, so a failure leaves it as it was.
    const QString folder = BuildPath(kInstallation, QStringLiteral("Database"));
    const QString current = folder + QLatin1Char('/') + kNetworkNodesFile;
    const QString old = folder + QLatin1Char('/') + kOldNetworkNodesFile;
    const QString converted = current + QStringLiteral(".converted");
    Database::CloseAllConnections();
    if (!CopyWholeFile(current, old)) {
        ShowMessageBox(QStringLiteral("Error renaming file %1.").arg(current));
        return false;
    }
    QFile::remove(converted);
    if (!CopyTemplateFile(BuildPath(kNewInstallation, QStringLiteral("Database/") + kNetworkNodesFile), converted,
                          current, kNetworkNodesCopyTexts)) {
        QFile::remove(old);
        return false;
    }
    try {
        CopyNetworkRows(old, converted);
        Database::CloseAllConnections();
        Database::ReplaceFile(converted, current);
    } catch (const DatabaseException& error) {
        Database::CloseAllConnections();
        ShowDatabaseExceptionReport(error);
        QFile::remove(converted);
        QFile::remove(old);
        return false;
    }
    if (!QFile::remove(old)) {
        ShowMessageBox(QStringLiteral("Error deleting file %1.").arg(old));
        return false;
    }
    return true;
}

bool CWFDoc::CheckNetCommandsDatabase()
{
    m_netCommandsSet.m_strDBFolder = BuildPath(kInstallation, QStringLiteral("Database"));
    const QString path = m_netCommandsSet.GetDefaultDBName();
    if (!PassesReadOnlyTest(path, QStringLiteral("The NetCommands.mdb file is READ_ONLY.")))
        return false;
    if (QFileInfo(path).size() > kLargestUncompactedQueue)
        CompactDatabaseFile(QStringLiteral("Database/") + kNetCommandsFile);
    try {
        m_netCommandsSet.Open();
        return true;
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
        m_netCommandsSet.Close();
        return false;
    }
}

void CWFDoc::CompactDatabaseFile(const QString& relativeName)
{
    Database::CloseAllConnections();
    try {
        DatabaseCompaction::CompactDatabaseFile(m_strInstallationFolder, relativeName);
    } catch (const DatabaseException& error) {
        // The file is left as it was; the open goes on with it.
        ShowDatabaseError(error);
    }
}
