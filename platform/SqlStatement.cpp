#include "platform/SqlStatement.h"

#include "platform/Database.h"

#include <sqlite3.h>

SqlStatement::SqlStatement(sqlite3* db, const QString& sql)
    : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    CheckSqlite(m_db, sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &m_stmt, nullptr));
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqlStatement::Bind(int index, const QVariant& value)
{
    int result = SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        result = sqlite3_bind_null(m_stmt, index);
        break;
    case QMetaType::Double:
        result = sqlite3_bind_double(m_stmt, index, value.toDouble());
        break;
    case QMetaType::QString: {
        if (value.isNull()) {
            result = sqlite3_bind_null(m_stmt, index);
            break;
        }
        const QByteArray text = value.toString().toUtf8();
        result = sqlite3_bind_text(m_stmt, index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        break;
    }
    default:
        result = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
        break;
    }
    CheckSqlite(m_db, result);
}

void SqlStatement::BindInt64(int index, qint64 value)
{
    CheckSqlite(m_db, sqlite3_bind_int64(m_stmt, index, value));
}

void SqlStatement::BindBlob(int index, const QByteArray& bytes)
{
    CheckSqlite(m_db, sqlite3_bind_blob(m_stmt, index, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
}

bool SqlStatement::Step()
{
    const int result = sqlite3_step(m_stmt);
    if (result == SQLITE_ROW)
        return true;
    CheckSqlite(m_db, result);
    return false;
}

void SqlStatement::Reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

qint64 SqlStatement::Int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QVariant SqlStatement::Value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(m_stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    case SQLITE_NULL:
        return {};
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
    }
    }
}

QByteArray SqlStatement::Blob(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
    return QByteArray(bytes, sqlite3_column_bytes(m_stmt, column));
}
