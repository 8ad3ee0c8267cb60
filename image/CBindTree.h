#pragma once

#include "image/BindingLog.h"
#include "image/CBindTreeEntry.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

struct CBindTreeRecord;

// The search tree a panel walks to find a credential: one entry per fixed
// slot of the panel file, kept as a red-black tree. A credential keeps its
// slot for as long as it exists, so records that did not change stay where
// they were between runs. Slot 0 is the header, whose record names the root.
class CBindTree
{
public:
    // Where the two child slots sit inside a slot's data.
    enum Layout { kCredentialRecords = 0, kEntryCodeRecords = 1 };

    static constexpr int kUnbalancedDepth = 200;

    CBindTree(const QString& name, int capacity, int layout, BindLog log = LogBinding);
    ~CBindTree();
    CBindTree(const CBindTree&) = delete;
    CBindTree& operator=(const CBindTree&) = delete;

    // Fills the tree from a tree file's bytes; no bytes (no file yet) give an
    // empty tree. A copy of another capacity or a damaged one (a cycle, a slot
    // out of range, two roots, a broken balance or order) counts as no copy:
    // the tree stays empty with every slot free, and a damaged one is logged.
    void Load(const QByteArray& bytes);
    // The tree file: every slot in slot order.
    QByteArray FileBytes() const;

    CBindTreeEntry* Find(std::uint64_t key) const;
    // The lowest free slot from 1 up, or 0 when every slot is taken.
    std::uint16_t FindFreeSlot();
    // Takes the entry into its slot. Refused (false, entry dropped) for key 0,
    // which marks a free slot, and for a slot that is out of range or taken.
    bool Add(std::unique_ptr<CBindTreeEntry> entry);
    // Frees the entry's slot and deletes it.
    void Remove(const CBindTreeEntry& entry);

    // Points the header record at the root, or clears it for an empty tree.
    void MakeHeaderRecord();
    void LogStatistics(const QString& treeName) const;

    int Count() const { return m_count; }
    int Depth() const;

private:
    struct Node;

    void Clear();
    void InsertNode(Node* z);
    void DeleteNode(Node* z);
    void InsertFixup(Node* z);
    void DeleteFixup(Node* x);
    void RotateLeft(Node* x);
    void RotateRight(Node* x);
    void ReplaceChild(Node* parent, Node* from, Node* to);
    void Transplant(Node* u, Node* v);
    Node* Minimum(Node* x) const;
    Node* Root() const;
    std::uint16_t SlotOf(const Node* node) const;
    bool BuildFrom(const std::vector<CBindTreeRecord>& records);
    bool IsSound() const;

    QString m_name;
    int m_layout;
    BindLog m_log;
    std::unique_ptr<Node> m_nil;
    std::unique_ptr<Node> m_header;
    // Node of each slot; slot 0 stays empty (its record is the header's).
    std::vector<std::unique_ptr<Node>> m_slots;
    std::uint16_t m_freeHint = 1;
    int m_count = 0;
};
