#include "platform/Database.h"

#include "platform/DatabaseException.h"
#include "platform/DurableFiles.h"
#include "platform/SqlStatement.h"
#include "platform/TextCollation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{
constexpr int kBusyTimeoutMs = 2000;

QHash<QString, std::weak_ptr<Database>>& Registry()
{
    // Never destroyed: a global recordset still open at exit closes its
    // connection after every function's statics are gone.
    static auto* registry = new QHash<QString, std::weak_ptr<Database>>;
    return *registry;
}

// Two spellings of one file must find one connection: its lock is held.
QString RegistryKey(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString AfterPrefix(const QString& message, const QString& prefix)
{
    return message.startsWith(prefix) ? message.mid(prefix.size()) : message;
}

std::vector<std::shared_ptr<Database>> LiveConnections()
{
    std::vector<std::shared_ptr<Database>> live;
    for (const auto& weak : Registry())
        if (auto database = weak.lock())
            live.push_back(std::move(database));
    return live;
}

// Column names are matched as SQLite matches them, case ignored.
bool SameColumns(const QStringList& stored, const QStringList& defined)
{
    return stored.size() == defined.size()
           && std::equal(stored.begin(), stored.end(), defined.begin(),
                         [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; });
}
} // namespace

void CheckSqlite(sqlite3* db, int result, const QString& subject)
{
    if (result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE)
        return;
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(result));
    const QString file = subject.isEmpty() && db ? QString::fromUtf8(sqlite3_db_filename(db, "main")) : subject;
    switch (result & 0xFF) {
    case SQLITE_READONLY:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        throw DatabaseException(JetError::ReadOnlyOrLocked,
                                QStringLiteral("The file '%1' cannot be opened for writing: it is read-only or in use.")
                                    .arg(file));
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw DatabaseException(JetError::NotADatabase,
                                QStringLiteral("'%1' is not a database file, or it is damaged.").arg(file));
    case SQLITE_CONSTRAINT:
        throw DatabaseException(JetError::DuplicateKey,
                                QStringLiteral("The change would give two rows the same key."));
    default:
        break;
    }
    if (message.startsWith(QLatin1String("no such column: ")))
        throw DatabaseException(JetError::FieldMissing,
                                QStringLiteral("The field '%1' does not exist in '%2'.")
                                    .arg(AfterPrefix(message, QStringLiteral("no such column: ")), file));
    if (message.startsWith(QLatin1String("no such table: ")))
        throw DatabaseException(JetError::TableNotFound,
                                QStringLiteral("The table '%1' does not exist in '%2'.")
                                    .arg(AfterPrefix(message, QStringLiteral("no such table: ")), file));
    if (message.contains(QLatin1String("syntax error")))
        throw DatabaseException(JetError::SyntaxError, message);
    if (message.startsWith(QLatin1String("duplicate column name: ")))
        throw DatabaseException(JetError::FieldExists, message);
    throw DatabaseException(JetError::ReservedError, message);
}

QString BracketName(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

Database::Database(QString path, sqlite3* db)
    : m_path(std::move(path))
    , m_key(RegistryKey(m_path))
    , m_db(db)
{
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
    Registry().remove(m_key);
}

std::shared_ptr<Database> Database::Connect(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    const int result = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (result != SQLITE_OK) {
        sqlite3_close(db);
        CheckSqlite(nullptr, result, path);
    }
    std::shared_ptr<Database> database(new Database(path, db));
    CheckSqlite(db, RegisterTextCollation(db, &sqlite3_create_collation), path);
    sqlite3_rollback_hook(
        db, [](void* connection) { ++static_cast<Database*>(connection)->m_rollbacks; }, database.get());
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // One connection per file serves the whole program: holding the file's
    // lock spares a lock, a stat and a cache check on every statement.
    CheckSqlite(db, sqlite3_exec(db, "PRAGMA locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr), path);
    // The header is read lazily; reading the schema now tells a foreign file
    // from a database before anything is bound to it.
    CheckSqlite(db, sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr), path);
    Registry().insert(database->m_key, database);
    return database;
}

std::shared_ptr<Database> Database::Open(const QString& path)
{
    if (auto open = Registry().value(RegistryKey(path)).lock())
        return open;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        throw DatabaseException(JetError::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    // Judged by the file's mode, not by trying: a superuser may open what the
    // mode forbids, and the program must refuse such a file all the same.
    const QFile::Permissions mode = info.permissions();
    if (!(mode & QFile::ReadOwner))
        throw DatabaseException(JetError::NoReadPermission,
                                QStringLiteral("Records can't be read; no read permission on '%1'.").arg(path));
    if (!(mode & QFile::WriteOwner))
        throw DatabaseException(JetError::ReadOnlyOrLocked,
                                QStringLiteral("The file '%1' is read-only.").arg(path));
    return Connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
}

std::shared_ptr<Database> Database::Create(const QString& path)
{
    if (QFileInfo::exists(path))
        throw DatabaseException(JetError::DatabaseExists, QStringLiteral("The file '%1' already exists.").arg(path));
    return Connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
}

void Database::CloseAllConnections()
{
    for (const auto& database : LiveConnections()) {
        const std::vector<DatabaseUser*> users = database->m_users;
        for (DatabaseUser* user : users)
            user->ReleaseConnection();
    }
}

bool Database::IsOpenFile(const QString& path)
{
    return !Registry().value(RegistryKey(path)).expired();
}

void Database::CompactInto(const QString& source, const QString& destination)
{
    if (QFileInfo::exists(destination))
        throw DatabaseException(JetError::DatabaseExists,
                                QStringLiteral("The file '%1' already exists.").arg(destination));
    const std::shared_ptr<Database> database = Open(source);
    SqlStatement vacuum(database->Handle(), QStringLiteral("VACUUM INTO ?"));
    vacuum.Bind(1, QFileInfo(destination).absoluteFilePath());
    vacuum.Step();
}

void Database::ReplaceFile(const QString& source, const QString& target)
{
    if (IsOpenFile(target))
        throw DatabaseException(JetError::ReadOnlyOrLocked, QStringLiteral("The file '%1' is in use.").arg(target));
    if (!MoveIntoPlace(source, target))
        throw DatabaseException(JetError::ReservedError, QStringLiteral("Unable to replace '%1' with '%2': %3")
                                                             .arg(target, source, QString::fromLocal8Bit(std::strerror(errno))));
}

void Database::Execute(const QString& sql)
{
    CheckSqlite(m_db, sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr));
}

void Database::CreateTable(const TableDef& table)
{
    QStringList columns;
    for (const ColumnDef& column : table.columns)
        columns << column.Declaration();
    Execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(BracketName(table.name), columns.join(QStringLiteral(", "))));
    AddMissingIndexes(table);
}

void Database::AddMissingIndexes(const TableDef& table)
{
    // Indexes are named by their place in the definition, so an index added
    // to the definition later gets a name of its own in older files; one
    // whose columns changed since is made again.
    int number = 0;
    for (const IndexDef& index : table.indexes) {
        const QString name = QStringLiteral("%1_%2").arg(table.name).arg(++number);
        const QStringList stored = IndexColumns(name);
        if (!stored.isEmpty() && !SameColumns(stored, index.columns))
            Execute(QStringLiteral("DROP INDEX %1").arg(BracketName(name)));
        QStringList names;
        for (const QString& column : index.columns)
            names << BracketName(column);
        Execute(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                    .arg(BracketName(name), BracketName(table.name), names.join(QStringLiteral(", "))));
    }
}

QStringList Database::IndexColumns(const QString& index)
{
    SqlStatement info(m_db, QStringLiteral("SELECT name FROM pragma_index_info(?) ORDER BY seqno"));
    info.Bind(1, index);
    QStringList columns;
    while (info.Step())
        columns << info.Value(0).toString();
    return columns;
}

bool Database::HasTable(const QString& table)
{
    SqlStatement query(m_db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.Bind(1, table);
    return query.Step();
}

std::vector<ColumnDef> Database::Fields(const QString& table)
{
    enum { Name = 1, Type = 2, Default = 4, PrimaryKey = 5 };
    SqlStatement query(m_db, QStringLiteral("PRAGMA table_info(%1)").arg(BracketName(table)));
    std::vector<ColumnDef> fields;
    while (query.Step()) {
        ColumnDef column;
        column.name = query.Value(Name).toString();
        column.type = FieldTypeFromDeclared(query.Value(Type).toString());
        column.key = query.Int64(PrimaryKey) != 0 ? ColumnDef::Key : ColumnDef::NotKey;
        column.defaultValue = query.Value(Default).toString();
        fields.push_back(column);
    }
    if (fields.empty())
        throw DatabaseException(JetError::TableNotFound,
                                QStringLiteral("The table '%1' does not exist in '%2'.").arg(table, m_path));
    return fields;
}

void Database::AddField(const QString& table, const ColumnDef& column)
{
    ColumnDef added = column;
    added.key = ColumnDef::NotKey;
    Execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(BracketName(table), added.Declaration()));
}

qint64 Database::WriteMark() const
{
    return sqlite3_total_changes64(m_db) + m_rollbacks;
}

void Database::AddUser(DatabaseUser* user)
{
    m_users.push_back(user);
}

void Database::RemoveUser(DatabaseUser* user)
{
    m_users.erase(std::remove(m_users.begin(), m_users.end(), user), m_users.end());
}
