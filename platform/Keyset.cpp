#include "platform/Keyset.h"

void Keyset::Assign(std::vector<qint64> keys)
{
    Clear();
    m_back.reserve(keys.size());
    for (qint64 key : keys) {
        m_back.push_back({key, false});
        NoteKey(key);
    }
    m_live = Size();
}

void Keyset::Clear()
{
    m_front.clear();
    m_back.clear();
    m_index.clear();
    m_indexed = false;
    m_live = 0;
    m_highest = 0;
    m_empty = true;
}

const Keyset::Entry& Keyset::At(int pos) const
{
    const int front = static_cast<int>(m_front.size());
    return pos < front ? m_front[front - 1 - pos] : m_back[pos - front];
}

Keyset::Entry& Keyset::At(int pos)
{
    const int front = static_cast<int>(m_front.size());
    return pos < front ? m_front[front - 1 - pos] : m_back[pos - front];
}

qint64 Keyset::Key(int pos) const
{
    return At(pos).key;
}

bool Keyset::IsDeleted(int pos) const
{
    return At(pos).deleted;
}

void Keyset::SetDeleted(int pos, bool deleted)
{
    Entry& entry = At(pos);
    if (entry.deleted != deleted)
        m_live += deleted ? -1 : 1;
    entry.deleted = deleted;
}

int Keyset::Position(qint64 key)
{
    if (!m_indexed) {
        m_index.clear();
        m_index.reserve(Size());
        for (int pos = 0; pos < Size(); ++pos)
            m_index.insert(Key(pos), Raw(pos));
        m_indexed = true;
    }
    const auto found = m_index.constFind(key);
    return found == m_index.cend() ? -1 : static_cast<int>(*found + qint64(m_front.size()));
}

void Keyset::Insert(int pos, qint64 key)
{
    const int front = static_cast<int>(m_front.size());
    const int size = Size();
    // The part that takes the row is the one where fewer rows move.
    const bool inFront = pos < front || (pos == front && pos < size - pos);
    if (inFront) {
        m_front.insert(m_front.begin() + (front - pos), {key, false});
        // The rows before pos keep their places but the front grew.
        Reindex(0, pos);
    } else {
        m_back.insert(m_back.begin() + (pos - front), {key, false});
        Reindex(pos + 1, size + 1);
    }
    if (m_indexed)
        m_index.insert(key, Raw(pos));
    ++m_live;
    NoteKey(key);
}

void Keyset::RemoveLast()
{
    const int last = Size() - 1;
    if (m_indexed)
        m_index.remove(Key(last));
    if (!IsDeleted(last))
        --m_live;
    if (!m_back.empty()) {
        m_back.pop_back();
        return;
    }
    m_front.erase(m_front.begin());
    Reindex(0, Size());
}

void Keyset::SetKey(int pos, qint64 key)
{
    if (m_indexed) {
        m_index.remove(At(pos).key);
        m_index.insert(key, Raw(pos));
    }
    At(pos).key = key;
    NoteKey(key);
}

void Keyset::Reindex(int from, int to)
{
    if (!m_indexed)
        return;
    for (int pos = from; pos < to; ++pos)
        m_index.insert(Key(pos), Raw(pos));
}

void Keyset::NoteKey(qint64 key)
{
    if (m_empty || key > m_highest)
        m_highest = key;
    m_empty = false;
}
