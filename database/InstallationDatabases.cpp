#include "database/InstallationDatabases.h"

#include "database/DatabaseErrors.h"
#include "database/DatabaseLog.h"
#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <QChar>

bool g_bDatabasesClosed = false;

namespace
{
constexpr int kSubsetCount = 8;
const QString kSubsetPrefix = QStringLiteral("Subset");
const QString kSuspendedPrefix = QStringLiteral("Suspended");
const QString kHiddenPrefix = QStringLiteral("Hidden");

// Runs one upgrade in a transaction of its own on the file's connection.
template <class Change>
void Upgrade(const QString& path, const QString& what, Change change)
{
    try {
        const std::shared_ptr<Database> database = Database::Open(path);
        database->Execute(QStringLiteral("BEGIN"));
        try {
            change(*database);
            database->Execute(QStringLiteral("COMMIT"));
        } catch (...) {
            database->Execute(QStringLiteral("ROLLBACK"));
            throw;
        }
    } catch (const DatabaseException& error) {
        WriteDatabaseLog(QStringLiteral("%1 of %2 not applied: %3").arg(what, path, error.Description()));
    }
}

QString OpenFailureText(const DatabaseException& error, const QString& path)
{
    switch (error.ErrorCode()) {
    case JetError::ReadOnlyOrLocked:
        return QStringLiteral("Unable to open %1.\n\nClose Wardenfold and check the file attribute for READ-ONLY.").arg(path);
    case JetError::FieldMissing:
        return QStringLiteral("Unable to open %1.\n\nYou may be attempting to open an old installationtion which is no longer compatible.")
            .arg(path);
    case JetError::NoReadPermission:
        return QStringLiteral("Unable to open %1.\n\nRecord(s) can't be read; no Read Data permission on.").arg(path);
    default:
        return {};
    }
}

struct OpenStep
{
    CSetBase* set;
    void (*upgrade)();
};
} // namespace

void UpgradeEntryNumbersTable()
{
    Upgrade(g_setPhoneEntries.GetDefaultDBName(), QStringLiteral("Upgrade of EntryNumbers"), [](Database& database) {
        const std::vector<ColumnDef> fields = database.Fields(QStringLiteral("EntryNumbers"));
        const ColumnDef* model = nullptr;
        for (const ColumnDef& field : fields)
            if (field.name.startsWith(kSubsetPrefix, Qt::CaseSensitive))
                model = &field;
        if (!model)
            throw DatabaseException(JetError::FieldMissing, QStringLiteral("No Subset field to model the new ones on."));
        // Names are added where missing rather than counted on: a table with a
        // gap in its subsets still gains exactly the ones it lacks.
        for (int n = 0; n < kSubsetCount; ++n) {
            ColumnDef field = *model;
            field.name = kSubsetPrefix + QChar(u'A' + n);
            const bool present = std::any_of(fields.begin(), fields.end(), [&](const ColumnDef& f) {
                return f.name.compare(field.name, Qt::CaseInsensitive) == 0;
            });
            if (!present)
                database.AddField(QStringLiteral("EntryNumbers"), field);
        }
    });
}

void UpgradeEntryCodesTable()
{
    Upgrade(g_setEntryCodes.GetDefaultDBName(), QStringLiteral("Upgrade of EntryCodes"), [](Database& database) {
        const std::vector<ColumnDef> fields = database.Fields(QStringLiteral("EntryCodes"));
        const ColumnDef* model = nullptr;
        for (const ColumnDef& field : fields) {
            if (field.name.startsWith(kHiddenPrefix, Qt::CaseSensitive))
                return;
            if (field.name.startsWith(kSuspendedPrefix, Qt::CaseSensitive))
                model = &field;
        }
        if (!model)
            throw DatabaseException(JetError::FieldMissing, QStringLiteral("No Suspended field to model Hidden on."));
        ColumnDef hidden = *model;
        hidden.name = kHiddenPrefix;
        hidden.type = FieldType::Bool;
        hidden.defaultValue = QStringLiteral("0");
        database.AddField(QStringLiteral("EntryCodes"), hidden);
    });
}

bool OpenInstallationDatabases(const QString& folder)
{
    const OpenStep steps[] = {
        {&g_setDisplayMessages, nullptr},   {&g_setVLNetworks, nullptr},
        {&g_setEntryCodes, &UpgradeEntryCodesTable}, {&g_setDoorValGroup, nullptr},
        {&g_setVestrels, nullptr},          {&g_setTransmitters, nullptr},
        {&g_setPhoneEntries, &UpgradeEntryNumbersTable}, {&g_setUsers, nullptr},
        {&g_setCardBlocks, nullptr},        {&g_setCards, nullptr},
        {&g_setSingleCard, nullptr},        {&g_setTransmitterBlocks, nullptr},
        {&g_setSingleXmtr, nullptr},        {&g_setUserGroups, nullptr},
        {&g_setEventLog, nullptr},          {&g_setFloorValGroup, nullptr},
        {&g_setFloorNames, nullptr},
    };
    for (const OpenStep& step : steps) {
        if (step.set->IsOpen())
            continue;
        step.set->m_strDBFolder = folder;
        const QString path = step.set->GetDefaultDBName();
        try {
            if (step.upgrade)
                step.upgrade();
            step.set->Open();
            step.set->Requery();
        } catch (const DatabaseException& error) {
            const QString text = OpenFailureText(error, path);
            if (text.isEmpty())
                ShowDatabaseError(error);
            else
                ShowMessageBox(text);
            return false;
        }
    }
    return true;
}

void CloseInstallationDatabases()
{
    g_bDatabasesClosed = true;
    CSetBase* const order[] = {
        &g_setDoorValGroup, &g_setFloorValGroup,     &g_setDisplayMessages, &g_setFloorNames, &g_setVLNetworks,
        &g_setEntryCodes,   &g_setCards,             &g_setCardBlocks,      &g_setSingleCard, &g_setTransmitters,
        &g_setTransmitterBlocks, &g_setSingleXmtr,   &g_setEventLog,        &g_setVestrels,   &g_setUsers,
        &g_setUserGroups,   &g_setPhoneEntries,
    };
    for (CSetBase* set : order)
        set->Close();
}
