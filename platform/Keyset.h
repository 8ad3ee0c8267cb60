#pragma once

#include <QHash>
#include <QtGlobal>

#include <vector>

// The row identifiers of a recordset in its order, each with a deleted mark.
// A row placed near either end costs little: a log sorted newest first takes
// every new row at its front. Positions count from 0 in the recordset's order.
class Keyset
{
public:
    void Assign(std::vector<qint64> keys);
    void Clear();

    int Size() const { return static_cast<int>(m_front.size() + m_back.size()); }
    int LiveCount() const { return m_live; }
    qint64 Key(int pos) const;
    bool IsDeleted(int pos) const;
    void SetDeleted(int pos, bool deleted);
    // The position of a key, or -1. The first look-up indexes every key.
    int Position(qint64 key);
    // The key, live, at pos; the rows from pos on move one place on.
    void Insert(int pos, qint64 key);
    void RemoveLast();
    void SetKey(int pos, qint64 key);
    // Above every key this keyset has held.
    bool IsAboveAll(qint64 key) const { return m_empty || key > m_highest; }

private:
    struct Entry
    {
        qint64 key;
        bool deleted;
    };

    const Entry& At(int pos) const;
    Entry& At(int pos);
    // Positions are kept less the front's length, so a row placed in front
    // moves no other row's index entry.
    qint64 Raw(int pos) const { return qint64(pos) - qint64(m_front.size()); }
    void Reindex(int from, int to);
    void NoteKey(qint64 key);

    std::vector<Entry> m_front; // in reverse: its last entry is position 0
    std::vector<Entry> m_back;
    QHash<qint64, qint64> m_index;
    bool m_indexed = false;
    int m_live = 0;
    qint64 m_highest = 0;
    bool m_empty = true;
};
