#include "platform/Recordset.h"

#include "platform/DatabaseException.h"
#include "platform/JetSql.h"
#include "platform/SqlStatement.h"

#include <sqlite3.h>

namespace
{
QString Columns(const std::vector<FieldBinding>& bindings)
{
    QStringList names;
    for (const FieldBinding& binding : bindings)
        names << BracketName(binding.name);
    return names.join(QStringLiteral(", "));
}

QString JoinConditions(const QStringList& conditions)
{
    QStringList parts;
    for (const QString& condition : conditions)
        if (!condition.isEmpty())
            parts << QLatin1Char('(') + condition + QLatin1Char(')');
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

[[noreturn]] void NoCurrentRecord()
{
    throw DatabaseException(JetError::NoCurrentRecord, QStringLiteral("No current record."));
}
} // namespace

Recordset::Recordset() = default;

Recordset::~Recordset()
{
    Close();
}

void Recordset::Open(const QString& sql)
{
    Close();
    std::shared_ptr<Database> database = Database::Open(GetDefaultDBName());
    const JetSql::Select select = JetSql::ParseSelect(sql.isEmpty() ? GetDefaultSQL() : sql);
    FieldExchange fx;
    DoFieldExchange(fx);

    const std::vector<ColumnDef> columns = database->Fields(select.table);
    QString keyColumn;
    QStringList defaults;
    for (const FieldBinding& binding : fx.Bindings()) {
        const auto column = std::find_if(columns.begin(), columns.end(), [&](const ColumnDef& c) {
            return c.name.compare(binding.name, Qt::CaseInsensitive) == 0;
        });
        // An old installation's file may lack a field that we bind.
        if (column == columns.end())
            throw DatabaseException(JetError::FieldMissing, QStringLiteral("The field '%1' does not exist in '%2'.")
                                                                .arg(binding.name, database->Path()));
        if (column->key != ColumnDef::NotKey)
            keyColumn = binding.name;
        defaults << (column->defaultValue.isEmpty() ? QStringLiteral("NULL") : column->defaultValue);
    }
    std::vector<QVariant> defaultValues;
    if (!defaults.isEmpty()) {
        SqlStatement query(database->Handle(), QStringLiteral("SELECT ") + defaults.join(QStringLiteral(", ")));
        query.Step();
        for (int i = 0; i < defaults.size(); ++i)
            defaultValues.push_back(query.Value(i));
    }
    auto readRow = std::make_unique<SqlStatement>(
        database->Handle(),
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(Columns(fx.Bindings()), BracketName(select.table)));

    m_database = std::move(database);
    m_database->AddUser(this);
    m_bindings = fx.Bindings();
    m_readRow = std::move(readRow);
    m_table = select.table;
    m_keyColumn = keyColumn;
    m_defaults = std::move(defaultValues);
    m_where = select.where;
    m_orderBy = select.orderBy;
    try {
        BuildKeyset();
    } catch (...) {
        Close();
        throw;
    }
}

void Recordset::Close()
{
    if (!m_database)
        return;
    m_readRow.reset();
    m_findStatement.reset();
    m_findSql.clear();
    m_database->RemoveUser(this);
    m_database.reset();
    m_keys.clear();
    m_deleted.clear();
    m_positions.clear();
    m_positionsValid = false;
    m_pos = -1;
    m_bof = m_eof = true;
    m_editMode = EditMode::None;
    m_lastModified = 0;
}

void Recordset::Requery()
{
    RequireOpen();
    // Nothing written on this file and the same filter and sort: the keyset
    // in hand is the one a new query would give (the open step requeries
    // every recordset straight after opening it).
    if (m_strFilter == m_keysetFilter && m_strSort == m_keysetSort
        && sqlite3_total_changes64(m_database->Handle()) == m_keysetChanges) {
        m_editMode = EditMode::None;
        MoveTo(0, 1);
        if (m_eof)
            m_bof = true;
        return;
    }
    BuildKeyset();
}

void Recordset::BuildKeyset()
{
    const QString filter = m_strFilter.isEmpty() ? QString() : JetSql::TranslateCriteria(m_strFilter);
    const QString order = m_strSort.isEmpty() ? m_orderBy : JetSql::TranslateSort(m_strSort);
    // rowid last keeps rows of equal sort values in one stable order; it
    // runs the way the last sort term does, so an index can serve the order.
    const bool descending = order.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive);
    const QString tieBreak = descending ? QStringLiteral(", rowid DESC") : QStringLiteral(", rowid");
    const QString sql = QStringLiteral("SELECT rowid FROM %1%2 ORDER BY %3")
                            .arg(BracketName(m_table), JoinConditions({m_where, filter}),
                                 order.isEmpty() ? QStringLiteral("rowid") : order + tieBreak);
    SqlStatement query(m_database->Handle(), sql);
    std::vector<qint64> keys;
    while (query.Step())
        keys.push_back(query.Int64(0));

    m_keysetFilter = m_strFilter;
    m_keysetSort = m_strSort;
    m_keysetChanges = sqlite3_total_changes64(m_database->Handle());
    m_keys = std::move(keys);
    m_deleted.assign(m_keys.size(), false);
    m_positions.clear();
    m_positionsValid = false;
    m_keysInRowOrder = order.isEmpty();
    m_editMode = EditMode::None;
    m_pos = -1;
    m_bof = m_eof = true;
    MoveTo(0, 1);
    if (m_eof)
        m_bof = true;
}

void Recordset::EnsurePositions()
{
    if (m_positionsValid)
        return;
    m_positions.clear();
    m_positions.reserve(static_cast<qsizetype>(m_keys.size()));
    for (size_t i = 0; i < m_keys.size(); ++i)
        m_positions.insert(m_keys[i], static_cast<int>(i));
    m_positionsValid = true;
}

bool Recordset::ReadRow(qint64 key)
{
    m_readRow->BindInt64(1, key);
    const bool found = m_readRow->Step();
    if (found)
        for (size_t i = 0; i < m_bindings.size(); ++i)
            m_bindings[i].Load(m_readRow->Value(static_cast<int>(i)));
    m_readRow->Reset();
    return found;
}

bool Recordset::MoveTo(int start, int step)
{
    m_editMode = EditMode::None;
    const int count = static_cast<int>(m_keys.size());
    for (int p = start; p >= 0 && p < count; p += step) {
        if (m_deleted[p])
            continue;
        // A row deleted through another recordset reads as nothing.
        if (!ReadRow(m_keys[p])) {
            m_deleted[p] = true;
            continue;
        }
        m_pos = p;
        m_bof = m_eof = false;
        return true;
    }
    if (step > 0) {
        m_pos = count;
        m_eof = true;
    } else {
        m_pos = -1;
        m_bof = true;
    }
    return false;
}

void Recordset::MoveFirst()
{
    RequireOpen();
    if (!MoveTo(0, 1)) {
        m_bof = true;
        NoCurrentRecord();
    }
}

void Recordset::MoveLast()
{
    RequireOpen();
    if (!MoveTo(static_cast<int>(m_keys.size()) - 1, -1)) {
        m_eof = true;
        NoCurrentRecord();
    }
}

void Recordset::MoveNext()
{
    RequireOpen();
    if (m_eof)
        NoCurrentRecord();
    MoveTo(m_pos + 1, 1);
}

void Recordset::MovePrev()
{
    RequireOpen();
    if (m_bof)
        NoCurrentRecord();
    MoveTo(m_pos - 1, -1);
}

long Recordset::GetRecordCount() const
{
    RequireOpen();
    return static_cast<long>(std::count(m_deleted.begin(), m_deleted.end(), false));
}

bool Recordset::Find(FindType type, const QString& criteria)
{
    RequireOpen();
    // A FindFirst/FindNext loop repeats one criterion: translate it once.
    if (criteria != m_findCriteria) {
        m_findCondition = JetSql::TranslateCriteria(criteria);
        m_findCriteria = criteria;
    }
    const int found = FindPosition(type, m_findCondition);
    if (found < 0 || !ReadRow(m_keys[found]))
        return false;
    m_editMode = EditMode::None;
    m_pos = found;
    m_bof = m_eof = false;
    return true;
}

// The matching rows come from the table through its indexes; the keyset
// only decides which of them belong to this recordset and in what order.
int Recordset::FindPosition(FindType type, const QString& condition)
{
    EnsurePositions();
    const bool forward = type == FindType::First || type == FindType::Next;
    const bool fromCurrent = type == FindType::Next || type == FindType::Prev;
    const int count = static_cast<int>(m_keys.size());
    if (fromCurrent && ((forward && m_pos >= count) || (!forward && m_pos < 0)))
        return -1;
    const bool currentBounds = fromCurrent && m_pos >= 0 && m_pos < count;
    const auto usable = [&](qint64 key) {
        const int pos = m_positions.value(key, -1);
        return (pos >= 0 && !m_deleted[pos]) ? pos : -1;
    };

    QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE (%2)").arg(BracketName(m_table), condition);
    if (m_keysInRowOrder) {
        // Keyset order is row order: walk the matches from the current row.
        if (currentBounds)
            sql += forward ? QStringLiteral(" AND rowid > ?") : QStringLiteral(" AND rowid < ?");
        sql += forward ? QStringLiteral(" ORDER BY rowid") : QStringLiteral(" ORDER BY rowid DESC");
        SqlStatement& query = CachedFind(sql);
        if (currentBounds)
            query.BindInt64(1, m_keys[m_pos]);
        int found = -1;
        try {
            while (found < 0 && query.Step())
                found = usable(query.Int64(0));
        } catch (...) {
            m_findStatement.reset();
            throw;
        }
        query.Reset();
        return found;
    }
    SqlStatement query(m_database->Handle(), sql);
    int best = -1;
    while (query.Step()) {
        const int pos = usable(query.Int64(0));
        if (pos < 0 || (currentBounds && (forward ? pos <= m_pos : pos >= m_pos)))
            continue;
        if (best < 0 || (forward ? pos < best : pos > best))
            best = pos;
    }
    return best;
}

SqlStatement& Recordset::CachedFind(const QString& sql)
{
    if (!m_findStatement || sql != m_findSql) {
        m_findStatement = std::make_unique<SqlStatement>(m_database->Handle(), sql);
        m_findSql = sql;
    }
    return *m_findStatement;
}

std::vector<QVariant> Recordset::StoredValues() const
{
    std::vector<QVariant> values;
    values.reserve(m_bindings.size());
    for (const FieldBinding& binding : m_bindings)
        values.push_back(binding.StoredValue());
    return values;
}

void Recordset::AddNew()
{
    RequireOpen();
    m_posBeforeAdd = m_pos;
    for (size_t i = 0; i < m_bindings.size(); ++i)
        m_bindings[i].Load(m_defaults[i]);
    m_editStart = StoredValues();
    m_editMode = EditMode::Add;
}

void Recordset::Edit()
{
    RequireCurrentRow();
    m_editStart = StoredValues();
    m_editMode = EditMode::Edit;
}

void Recordset::Update()
{
    RequireOpen();
    if (m_editMode == EditMode::None)
        throw DatabaseException(JetError::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const std::vector<QVariant> values = StoredValues();
    std::vector<size_t> written;
    for (size_t i = 0; i < m_bindings.size(); ++i) {
        const bool isKey = m_bindings[i].name.compare(m_keyColumn, Qt::CaseInsensitive) == 0;
        if (m_editMode == EditMode::Add ? !(isKey && values[i].toLongLong() == 0) : values[i] != m_editStart[i])
            written.push_back(i);
    }

    if (m_editMode == EditMode::Add) {
        QStringList names, marks;
        for (size_t i : written) {
            names << BracketName(m_bindings[i].name);
            marks << QStringLiteral("?");
        }
        const QString sql = written.empty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(BracketName(m_table))
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(BracketName(m_table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        SqlStatement insert(m_database->Handle(), sql);
        for (size_t n = 0; n < written.size(); ++n)
            insert.Bind(static_cast<int>(n) + 1, values[written[n]]);
        insert.Step();
        const qint64 key = sqlite3_last_insert_rowid(m_database->Handle());
        m_editMode = EditMode::None;
        AppendKey(key);
        m_lastModified = key;
        // The end of the keyset moves on with the new row.
        m_pos = m_eof ? static_cast<int>(m_keys.size()) : m_posBeforeAdd;
        if (HasCurrentRow() && !ReadRow(m_keys[m_pos]))
            m_deleted[m_pos] = true;
        return;
    }

    qint64 key = m_keys[m_pos];
    if (!written.empty()) {
        QStringList sets;
        bool keyChanged = false;
        for (size_t i : written) {
            sets << BracketName(m_bindings[i].name) + QStringLiteral(" = ?");
            keyChanged = keyChanged || m_bindings[i].name.compare(m_keyColumn, Qt::CaseInsensitive) == 0;
        }
        SqlStatement update(m_database->Handle(), QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                                      .arg(BracketName(m_table), sets.join(QStringLiteral(", "))));
        int n = 0;
        for (size_t i : written)
            update.Bind(++n, values[i]);
        update.BindInt64(++n, key);
        update.Step();
        if (keyChanged) {
            // The key is the row identifier: the keyset follows the row.
            const int keyIndex = static_cast<int>(std::find_if(m_bindings.begin(), m_bindings.end(), [&](const FieldBinding& b) {
                                                      return b.name.compare(m_keyColumn, Qt::CaseInsensitive) == 0;
                                                  }) - m_bindings.begin());
            key = values[keyIndex].toLongLong();
            m_keys[m_pos] = key;
            m_positionsValid = false;
            m_keysInRowOrder = false;
        }
    }
    m_editMode = EditMode::None;
    m_lastModified = key;
    ReadRow(key);
}

void Recordset::AppendKey(qint64 key)
{
    EnsurePositions();
    if (const int pos = m_positions.value(key, -1); pos >= 0) {
        // An explicit key may bring back the identifier of a row deleted here.
        m_deleted[pos] = false;
        return;
    }
    if (!m_keys.empty() && key <= m_keys.back())
        m_keysInRowOrder = false;
    m_keys.push_back(key);
    m_deleted.push_back(false);
    m_positions.insert(key, static_cast<int>(m_keys.size()) - 1);
}

void Recordset::CancelUpdate()
{
    RequireOpen();
    if (m_editMode == EditMode::None)
        throw DatabaseException(JetError::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    m_editMode = EditMode::None;
    if (HasCurrentRow())
        ReadRow(m_keys[m_pos]);
}

void Recordset::Delete()
{
    RequireCurrentRow();
    m_editMode = EditMode::None;
    SqlStatement remove(m_database->Handle(), QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(BracketName(m_table)));
    remove.BindInt64(1, m_keys[m_pos]);
    remove.Step();
    m_deleted[m_pos] = true;
}

RecordBookmark Recordset::GetBookmark() const
{
    RequireCurrentRow();
    return m_keys[m_pos];
}

void Recordset::SetBookmark(RecordBookmark bookmark)
{
    RequireOpen();
    EnsurePositions();
    const int pos = m_positions.value(bookmark, -1);
    if (pos < 0 || m_deleted[pos] || !ReadRow(bookmark))
        throw DatabaseException(JetError::InvalidBookmark, QStringLiteral("Not a valid bookmark."));
    m_editMode = EditMode::None;
    m_pos = pos;
    m_bof = m_eof = false;
}

RecordBookmark Recordset::GetLastModifiedBookmark() const
{
    RequireOpen();
    if (m_lastModified == 0)
        NoCurrentRecord();
    return m_lastModified;
}

bool Recordset::HasCurrentRow() const
{
    return m_database && m_pos >= 0 && m_pos < static_cast<int>(m_keys.size()) && !m_deleted[m_pos];
}

void Recordset::RequireOpen() const
{
    if (!m_database)
        throw DatabaseException(JetError::NotOpen, QStringLiteral("The recordset is not open."));
}

void Recordset::RequireCurrentRow() const
{
    RequireOpen();
    if (m_bof || m_eof || m_pos < 0 || m_pos >= static_cast<int>(m_keys.size()))
        NoCurrentRecord();
    if (m_deleted[m_pos])
        throw DatabaseException(JetError::RecordDeleted, QStringLiteral("Record is deleted."));
}
