#include "platform/Recordset.h"

#include "platform/DatabaseException.h"
#include "platform/JetSql.h"
#include "platform/SqlStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>

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

// Binds the values from parameter 1; returns the next parameter's number.
int BindValues(SqlStatement& query, const std::vector<QVariant>& values)
{
    int n = 0;
    for (const QVariant& value : values)
        query.Bind(++n, value);
    return n + 1;
}

// Resets the statement however the rows are left, so it holds no read lock.
class ResetAfterUse
{
public:
    explicit ResetAfterUse(SqlStatement& query) : m_query(query) {}
    ~ResetAfterUse() { m_query.Reset(); }
    ResetAfterUse(const ResetAfterUse&) = delete;
    ResetAfterUse& operator=(const ResetAfterUse&) = delete;

private:
    SqlStatement& m_query;
};

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
    int keyIndex = -1;
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
            keyIndex = static_cast<int>(defaults.size());
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
    m_keyIndex = keyIndex;
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
    m_queries.clear();
    m_findMatches = {};
    m_inserts.clear();
    m_updates.clear();
    m_deleteRow.reset();
    m_selectedRow.reset();
    m_compareRows.reset();
    m_database->RemoveUser(this);
    m_database.reset();
    m_keys.Clear();
    m_unplaced = 0;
    m_pos = -1;
    m_bof = m_eof = true;
    m_editMode = EditMode::None;
    m_lastModified = 0;
    m_lastModifiedPos = -1;
}

void Recordset::Requery()
{
    RequireOpen();
    // Nothing written on this file and the same filter and sort: the keyset
    // in hand is the one a new query would give (the open step requeries
    // every recordset straight after opening it). Rows added here since
    // only need their places.
    if (m_strFilter == m_keysetFilter && m_strSort == m_keysetSort
        && m_database->WriteMark() == m_keysetChanges) {
        PlaceAddedRows();
        m_editMode = EditMode::None;
        MoveTo(0, 1);
        if (m_eof)
            m_bof = true;
        return;
    }
    BuildKeyset();
}

JetSql::BoundCriteria Recordset::SelectedRows(const QString& condition) const
{
    JetSql::BoundCriteria rows = m_strFilter.isEmpty() ? JetSql::BoundCriteria{} : JetSql::TranslateBoundCriteria(m_strFilter);
    rows.condition = BracketName(m_table) + JoinConditions({m_where, rows.condition, condition});
    return rows;
}

void Recordset::BuildKeyset()
{
    const QString order = m_strSort.isEmpty() ? m_orderBy : JetSql::TranslateSort(m_strSort);
    // rowid last keeps rows of equal sort values in one stable order; it
    // runs the way the last sort term does, so an index can serve the order.
    const bool descending = order.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive);
    const QString tieBreak = descending ? QStringLiteral(", rowid DESC") : QStringLiteral(", rowid");
    const QString orderBy = order.isEmpty() ? QStringLiteral("rowid") : order + tieBreak;
    JetSql::BoundCriteria rows = SelectedRows();
    std::vector<qint64> keys;
    {
        SqlStatement& query = CachedQuery(QStringLiteral("SELECT rowid FROM %1 ORDER BY %2").arg(rows.condition, orderBy));
        const ResetAfterUse reset(query);
        BindValues(query, rows.values);
        while (query.Step())
            keys.push_back(query.Int64(0));
    }

    m_keysetFilter = m_strFilter;
    m_keysetValues = std::move(rows.values);
    m_keysetSort = m_strSort;
    m_keysetOrder = orderBy;
    m_selectedRow.reset();
    m_compareRows.reset();
    m_keysetChanges = m_database->WriteMark();
    m_keys.Assign(std::move(keys));
    m_unplaced = 0;
    m_keysInRowOrder = order.isEmpty();
    m_editMode = EditMode::None;
    m_pos = -1;
    m_bof = m_eof = true;
    MoveTo(0, 1);
    if (m_eof)
        m_bof = true;
}

// The rows added since the keyset was taken wait at its end; each goes to
// the place a new query would give it, or leaves when the query would not
// select it.
void Recordset::PlaceAddedRows()
{
    std::vector<qint64> added;
    for (; m_unplaced > 0; --m_unplaced) {
        const int last = m_keys.Size() - 1;
        if (!m_keys.IsDeleted(last))
            added.push_back(m_keys.Key(last));
        m_keys.RemoveLast();
    }
    for (auto key = added.rbegin(); key != added.rend(); ++key)
        if (IsSelected(*key))
            m_keys.Insert(PlaceOf(*key), *key);
}

// A row rolled back since is not selected either.
bool Recordset::IsSelected(qint64 key)
{
    SqlStatement& query = Prepared(m_selectedRow, [this] {
        return QStringLiteral("SELECT 1 FROM %1").arg(SelectedRows(QStringLiteral("rowid = ?")).condition);
    });
    query.BindInt64(BindValues(query, m_keysetValues), key);
    const bool selected = query.Step();
    query.Reset();
    return selected;
}

// The first position whose live row sorts after the key. New rows mostly
// belong at one end: both are tried before the search.
int Recordset::PlaceOf(qint64 key)
{
    int lo = 0;
    int hi = m_keys.Size();
    if (m_keysInRowOrder) {
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (m_keys.Key(mid) < key)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }
    int first = 0;
    while (first < hi && m_keys.IsDeleted(first))
        ++first;
    if (first == hi || SortsBefore(key, m_keys.Key(first)))
        return first;
    int last = hi - 1;
    while (m_keys.IsDeleted(last))
        --last;
    if (!SortsBefore(key, m_keys.Key(last)))
        return hi;
    lo = first + 1;
    hi = last;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        int probe = mid;
        while (probe < hi && m_keys.IsDeleted(probe))
            ++probe;
        if (probe == hi || SortsBefore(key, m_keys.Key(probe)))
            hi = mid;
        else
            lo = probe + 1;
    }
    return lo;
}

// The engine itself orders the two rows, with the keyset's own order.
bool Recordset::SortsBefore(qint64 key, qint64 other)
{
    SqlStatement& query = Prepared(m_compareRows, [this] {
        return QStringLiteral("SELECT rowid FROM %1 WHERE rowid IN (?, ?) ORDER BY %2 LIMIT 1")
            .arg(BracketName(m_table), m_keysetOrder);
    });
    query.BindInt64(1, key);
    query.BindInt64(2, other);
    const bool first = query.Step() && query.Int64(0) == key;
    query.Reset();
    return first;
}

void Recordset::KeepKeysetAfterOwnWrite(qint64 changesBefore)
{
    if (changesBefore == m_keysetChanges)
        m_keysetChanges = m_database->WriteMark();
}

SqlStatement& Recordset::Prepared(std::unique_ptr<SqlStatement>& slot, const std::function<QString()>& sql)
{
    if (!slot)
        slot = std::make_unique<SqlStatement>(m_database->Handle(), sql());
    // A statement that failed last time is reset before it runs again.
    slot->Reset();
    return *slot;
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
    const int count = m_keys.Size();
    for (int p = start; p >= 0 && p < count; p += step) {
        if (m_keys.IsDeleted(p))
            continue;
        // A row deleted through another recordset reads as nothing.
        if (!ReadRow(m_keys.Key(p))) {
            m_keys.SetDeleted(p, true);
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
    if (!MoveTo(m_keys.Size() - 1, -1)) {
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
    return m_keys.LiveCount();
}

bool Recordset::Find(FindType type, const QString& criteria)
{
    RequireOpen();
    // A FindFirst/FindNext loop repeats one criterion: translate it once.
    if (criteria != m_findCriteria) {
        m_findCondition = JetSql::TranslateBoundCriteria(criteria);
        m_findCriteria = criteria;
    }
    const int found = FindPosition(type);
    if (found < 0 || !ReadRow(m_keys.Key(found)))
        return false;
    m_editMode = EditMode::None;
    m_pos = found;
    m_bof = m_eof = false;
    return true;
}

// The matching rows come from the table through its indexes; the keyset
// only decides which of them belong to this recordset and in what order.
int Recordset::FindPosition(FindType type)
{
    const bool forward = type == FindType::First || type == FindType::Next;
    const bool fromCurrent = type == FindType::Next || type == FindType::Prev;
    const int count = m_keys.Size();
    if (fromCurrent && ((forward && m_pos >= count) || (!forward && m_pos < 0)))
        return -1;
    const bool currentBounds = fromCurrent && m_pos >= 0 && m_pos < count;
    const auto usable = [&](qint64 key) {
        const int pos = m_keys.Position(key);
        return (pos >= 0 && !m_keys.IsDeleted(pos)) ? pos : -1;
    };

    if (m_keysInRowOrder && forward && currentBounds) {
        // A FindNext walk takes the rest of its matches in one query.
        const qint64 current = m_keys.Key(m_pos);
        const std::vector<qint64>& keys = MatchesAbove(current);
        for (auto key = std::upper_bound(keys.begin(), keys.end(), current); key != keys.end(); ++key)
            if (const int pos = usable(*key); pos >= 0)
                return pos;
        return -1;
    }
    if (m_keysInRowOrder) {
        // Keyset order is row order: walk the matches from the current row.
        QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE (%2)").arg(BracketName(m_table), m_findCondition.condition);
        if (currentBounds)
            sql += forward ? QStringLiteral(" AND rowid > ?") : QStringLiteral(" AND rowid < ?");
        sql += forward ? QStringLiteral(" ORDER BY rowid") : QStringLiteral(" ORDER BY rowid DESC");
        SqlStatement& query = CachedQuery(sql);
        const ResetAfterUse reset(query);
        const int next = BindValues(query, m_findCondition.values);
        if (currentBounds)
            query.BindInt64(next, m_keys.Key(m_pos));
        int found = -1;
        while (found < 0 && query.Step())
            found = usable(query.Int64(0));
        return found;
    }
    int best = -1;
    for (const qint64 key : MatchesAbove(std::numeric_limits<qint64>::min())) {
        const int pos = usable(key);
        if (pos < 0 || (currentBounds && (forward ? pos <= m_pos : pos >= m_pos)))
            continue;
        if (best < 0 || (forward ? pos < best : pos > best))
            best = pos;
    }
    return best;
}

const std::vector<qint64>& Recordset::MatchesAbove(qint64 above)
{
    const qint64 mark = m_database->WriteMark();
    if (m_findMatches.writeMark == mark && m_findMatches.criteria == m_findCriteria && above >= m_findMatches.above)
        return m_findMatches.keys;
    m_findMatches.writeMark = -1;
    m_findMatches.keys.clear();
    SqlStatement& query = CachedQuery(QStringLiteral("SELECT rowid FROM %1 WHERE (%2) AND rowid > ? ORDER BY rowid")
                                          .arg(BracketName(m_table), m_findCondition.condition));
    const ResetAfterUse reset(query);
    query.BindInt64(BindValues(query, m_findCondition.values), above);
    while (query.Step())
        m_findMatches.keys.push_back(query.Int64(0));
    m_findMatches.criteria = m_findCriteria;
    m_findMatches.above = above;
    m_findMatches.writeMark = mark;
    return m_findMatches.keys;
}

SqlStatement& Recordset::CachedQuery(const QString& sql)
{
    // The texts come from the program's own criteria shapes, so there are
    // few; a caller that builds many still keeps only a handful.
    constexpr size_t kMostKept = 16;
    auto kept = m_queries.find(sql);
    if (kept == m_queries.end()) {
        if (m_queries.size() >= kMostKept)
            m_queries.clear();
        kept = m_queries.emplace(sql, std::make_unique<SqlStatement>(m_database->Handle(), sql)).first;
    }
    kept->second->Reset();
    return *kept->second;
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
    // The current row's values come back after the Update.
    m_editStart = StoredValues();
    for (size_t i = 0; i < m_bindings.size(); ++i)
        m_bindings[i].Load(m_defaults[i]);
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
        const bool isKey = static_cast<int>(i) == m_keyIndex;
        if (m_editMode == EditMode::Add ? !(isKey && values[i].toLongLong() == 0) : values[i] != m_editStart[i])
            written.push_back(i);
    }

    if (m_editMode == EditMode::Add) {
        const qint64 changesBefore = m_database->WriteMark();
        SqlStatement& insert = Prepared(m_inserts[written], [&] {
            QStringList names, marks;
            for (size_t i : written) {
                names << BracketName(m_bindings[i].name);
                marks << QStringLiteral("?");
            }
            return written.empty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(BracketName(m_table))
                                   : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                         .arg(BracketName(m_table), names.join(QStringLiteral(", ")),
                                              marks.join(QStringLiteral(", ")));
        });
        for (size_t n = 0; n < written.size(); ++n)
            insert.Bind(static_cast<int>(n) + 1, values[written[n]]);
        insert.Step();
        insert.Reset();
        const qint64 key = sqlite3_last_insert_rowid(m_database->Handle());
        m_editMode = EditMode::None;
        AppendKey(key, changesBefore);
        m_lastModified = key;
        // The end of the keyset moves on with the new row.
        m_pos = m_eof ? m_keys.Size() : m_posBeforeAdd;
        if (HasCurrentRow())
            for (size_t i = 0; i < m_bindings.size(); ++i)
                m_bindings[i].Load(m_editStart[i]);
        return;
    }

    qint64 key = m_keys.Key(m_pos);
    if (!written.empty()) {
        SqlStatement& update = Prepared(m_updates[written], [&] {
            QStringList sets;
            for (size_t i : written)
                sets << BracketName(m_bindings[i].name) + QStringLiteral(" = ?");
            return QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(BracketName(m_table), sets.join(QStringLiteral(", ")));
        });
        int n = 0;
        for (size_t i : written)
            update.Bind(++n, values[i]);
        update.BindInt64(++n, key);
        update.Step();
        update.Reset();
        if (m_keyIndex >= 0 && std::find(written.begin(), written.end(), size_t(m_keyIndex)) != written.end()) {
            // The key is the row identifier: the keyset follows the row.
            key = values[m_keyIndex].toLongLong();
            m_keys.SetKey(m_pos, key);
            m_keysInRowOrder = false;
        }
    }
    m_editMode = EditMode::None;
    m_lastModified = key;
    m_lastModifiedPos = m_pos;
    ReadRow(key);
}

void Recordset::AppendKey(qint64 key, qint64 changesBefore)
{
    // An explicit key may bring back the identifier of a row deleted here;
    // a counter's new key is above every key held, with no look-up.
    const int known = m_keys.IsAboveAll(key) ? -1 : m_keys.Position(key);
    if (known >= 0) {
        m_keys.SetDeleted(known, false);
        m_lastModifiedPos = known;
        return;
    }
    if (m_keys.Size() > 0 && key <= m_keys.Key(m_keys.Size() - 1))
        m_keysInRowOrder = false;
    m_keys.Insert(m_keys.Size(), key);
    m_lastModifiedPos = m_keys.Size() - 1;
    KeepKeysetAfterOwnWrite(changesBefore);
    ++m_unplaced;
}

void Recordset::CancelUpdate()
{
    RequireOpen();
    if (m_editMode == EditMode::None)
        throw DatabaseException(JetError::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    m_editMode = EditMode::None;
    if (HasCurrentRow())
        ReadRow(m_keys.Key(m_pos));
}

void Recordset::Delete()
{
    RequireCurrentRow();
    m_editMode = EditMode::None;
    const qint64 changesBefore = m_database->WriteMark();
    SqlStatement& remove =
        Prepared(m_deleteRow, [this] { return QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(BracketName(m_table)); });
    remove.BindInt64(1, m_keys.Key(m_pos));
    remove.Step();
    remove.Reset();
    m_keys.SetDeleted(m_pos, true);
    KeepKeysetAfterOwnWrite(changesBefore);
}

void Recordset::DeleteAll()
{
    RequireOpen();
    m_editMode = EditMode::None;
    const JetSql::BoundCriteria rows = SelectedRows();
    SqlStatement remove(m_database->Handle(), QStringLiteral("DELETE FROM %1").arg(rows.condition));
    BindValues(remove, rows.values);
    remove.Step();
    BuildKeyset();
}

RecordBookmark Recordset::GetBookmark() const
{
    RequireCurrentRow();
    return m_keys.Key(m_pos);
}

void Recordset::SetBookmark(RecordBookmark bookmark)
{
    RequireOpen();
    const bool hinted = m_lastModifiedPos >= 0 && m_lastModifiedPos < m_keys.Size()
                        && m_keys.Key(m_lastModifiedPos) == bookmark;
    const int pos = hinted ? m_lastModifiedPos : m_keys.Position(bookmark);
    if (pos < 0 || m_keys.IsDeleted(pos) || !ReadRow(bookmark))
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
    return m_database && m_pos >= 0 && m_pos < m_keys.Size() && !m_keys.IsDeleted(m_pos);
}

void Recordset::RequireOpen() const
{
    if (!m_database)
        throw DatabaseException(JetError::NotOpen, QStringLiteral("The recordset is not open."));
}

void Recordset::RequireCurrentRow() const
{
    RequireOpen();
    if (m_bof || m_eof || m_pos < 0 || m_pos >= m_keys.Size())
        NoCurrentRecord();
    if (m_keys.IsDeleted(m_pos))
        throw DatabaseException(JetError::RecordDeleted, QStringLiteral("Record is deleted."));
}
