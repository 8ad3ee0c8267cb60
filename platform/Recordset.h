#pragma once

#include "platform/Database.h"
#include "platform/FieldExchange.h"
#include "platform/JetSql.h"
#include "platform/Keyset.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class SqlStatement;

// A row's bookmark: its row identifier.
using RecordBookmark = qint64;

// A dynaset over one table of a database file. Open and Requery take the
// keys of the rows that the query, filter and sort select, in order; fields
// are read when the cursor moves. Rows this recordset adds join the end and
// stay; edits show at once; a deleted row stays current until the next move
// and is skipped after. A Requery after nothing but this recordset's own
// additions and deletions places the added rows in order instead of taking
// every key again. Errors throw DatabaseException.
class Recordset : public DatabaseUser
{
public:
    enum class FindType { First, Next, Last, Prev };

    Recordset();
    virtual ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    virtual QString GetDefaultDBName() const = 0;
    virtual QString GetDefaultSQL() const = 0;
    virtual void DoFieldExchange(FieldExchange& fx) = 0;

    // sql empty takes GetDefaultSQL(); m_strFilter and m_strSort apply.
    void Open(const QString& sql = {});
    void Close();
    bool IsOpen() const { return m_database != nullptr; }
    void Requery();

    void MoveFirst();
    void MoveNext();
    void MovePrev();
    void MoveLast();
    bool IsBOF() const { return m_bof; }
    bool IsEOF() const { return m_eof; }
    // The rows of the keyset that are not known to be deleted.
    long GetRecordCount() const;

    // True when a row matches; it becomes current. Otherwise nothing moves.
    bool Find(FindType type, const QString& criteria);
    bool FindFirst(const QString& criteria) { return Find(FindType::First, criteria); }
    bool FindNext(const QString& criteria) { return Find(FindType::Next, criteria); }
    bool FindLast(const QString& criteria) { return Find(FindType::Last, criteria); }
    bool FindPrev(const QString& criteria) { return Find(FindType::Prev, criteria); }

    // AddNew fills the members with the table's defaults; Update writes the
    // row and leaves the row current before AddNew current.
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    // Deletes in one statement every row that the query and the filter select,
    // and takes the keyset again.
    void DeleteAll();

    RecordBookmark GetBookmark() const;
    void SetBookmark(RecordBookmark bookmark);
    RecordBookmark GetLastModifiedBookmark() const;

    void ReleaseConnection() override { Close(); }

    QString m_strFilter;
    QString m_strSort;

private:
    enum class EditMode { None, Add, Edit };

    void BuildKeyset();
    // The table and the conditions that select this recordset's rows, with
    // the filter's literals as parameters, bound first in the text's order.
    JetSql::BoundCriteria SelectedRows(const QString& condition = {}) const;
    void PlaceAddedRows();
    bool IsSelected(qint64 key);
    int PlaceOf(qint64 key);
    bool SortsBefore(qint64 key, qint64 other);
    // After a write of our own: the keyset still holds what a query would
    // give when nothing else was written since it was taken.
    void KeepKeysetAfterOwnWrite(qint64 changesBefore);
    // The statement in slot, prepared from sql() the first time.
    SqlStatement& Prepared(std::unique_ptr<SqlStatement>& slot, const std::function<QString()>& sql);
    bool ReadRow(qint64 key);
    bool MoveTo(int start, int step);
    bool HasCurrentRow() const;
    void RequireOpen() const;
    void RequireCurrentRow() const;
    void AppendKey(qint64 key, qint64 changesBefore);
    int FindPosition(FindType type);
    std::vector<QVariant> StoredValues() const;
    // A statement of the find and keyset queries, kept by its text: the
    // criteria's values are parameters, so one text serves every value.
    SqlStatement& CachedQuery(const QString& sql);
    // The rows of the table above a row identifier that the find criterion
    // matches, in row order; taken again once anything is written.
    const std::vector<qint64>& MatchesAbove(qint64 above);

    std::shared_ptr<Database> m_database;
    std::vector<FieldBinding> m_bindings;
    std::unique_ptr<SqlStatement> m_readRow;
    QString m_table;
    int m_keyIndex = -1; // the row identifier's binding, if bound
    std::vector<QVariant> m_defaults;
    QString m_where;
    QString m_orderBy;
    bool m_keysInRowOrder = true;
    QString m_findCriteria;
    JetSql::BoundCriteria m_findCondition;
    std::map<QString, std::unique_ptr<SqlStatement>> m_queries;
    struct FindMatches
    {
        QString criteria;
        qint64 above = 0;
        qint64 writeMark = -1;
        std::vector<qint64> keys;
    };
    FindMatches m_findMatches;
    QString m_keysetFilter;
    std::vector<QVariant> m_keysetValues; // the filter's literals
    QString m_keysetSort;
    QString m_keysetOrder;
    qint64 m_keysetChanges = -1;
    int m_unplaced = 0; // rows added at the end since the keyset was taken
    // The writes and look-ups repeated row by row, prepared once; inserts and
    // updates by the fields they write.
    std::map<std::vector<size_t>, std::unique_ptr<SqlStatement>> m_inserts;
    std::map<std::vector<size_t>, std::unique_ptr<SqlStatement>> m_updates;
    std::unique_ptr<SqlStatement> m_deleteRow;
    std::unique_ptr<SqlStatement> m_selectedRow; // of the keyset's filter
    std::unique_ptr<SqlStatement> m_compareRows; // in the keyset's order

    Keyset m_keys;
    int m_pos = -1;
    bool m_bof = true;
    bool m_eof = true;

    EditMode m_editMode = EditMode::None;
    std::vector<QVariant> m_editStart;
    int m_posBeforeAdd = -1;
    RecordBookmark m_lastModified = 0;
    int m_lastModifiedPos = -1; // where it was; checked before it is used
};
