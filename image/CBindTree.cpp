#include "image/CBindTree.h"

#include "image/CBindTreeRecord.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr int kBlack = 0;
constexpr int kRed = 1;
constexpr std::uint32_t kRootMark = 1;
constexpr int kMaxSlots = std::numeric_limits<std::uint16_t>::max() + 1;

struct LinkPositions
{
    int right;
    int left;
};
// Big-endian child slots inside the data, as the panel reads them.
constexpr LinkPositions kLinks[] = {{10, 12}, {5, 7}};

void PutBigWord(CBindTreeEntry::Data& data, int at, std::uint16_t value)
{
    data[at] = static_cast<std::uint8_t>(value >> 8);
    data[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace

struct CBindTree::Node
{
    std::unique_ptr<CBindTreeEntry> item;
    int colour = kBlack;
    Node* left = nullptr;
    Node* right = nullptr;
    Node* parent = nullptr;
};

CBindTree::CBindTree(const QString& name, int capacity, int layout, BindLog log)
    : m_name(name)
    , m_layout(layout == kEntryCodeRecords ? kEntryCodeRecords : kCredentialRecords)
    , m_log(std::move(log))
    , m_nil(std::make_unique<Node>())
    , m_header(std::make_unique<Node>())
    , m_slots(static_cast<std::size_t>(std::clamp(capacity + 1, 1, kMaxSlots)))
{
    m_nil->left = m_nil->right = m_nil->parent = m_nil.get();
    m_header->left = m_header->right = m_nil.get();
    m_header->parent = m_nil.get();
}

CBindTree::~CBindTree() = default;

CBindTree::Node* CBindTree::Root() const
{
    return m_header->left;
}

std::uint16_t CBindTree::SlotOf(const Node* node) const
{
    return node == m_nil.get() ? 0 : node->item->GetValue();
}

void CBindTree::Clear()
{
    for (auto& slot : m_slots)
        slot.reset();
    m_header->left = m_nil.get();
    m_header->item.reset();
    m_count = 0;
    m_freeHint = 1;
}

CBindTreeEntry* CBindTree::Find(std::uint64_t key) const
{
    const Node* x = Root();
    while (x != m_nil.get()) {
        const std::uint64_t here = x->item->GetKey();
        if (key == here)
            return x->item.get();
        x = key < here ? x->left : x->right;
    }
    return nullptr;
}

std::uint16_t CBindTree::FindFreeSlot()
{
    // Slots below the hint are all taken: Remove lowers it when one frees.
    for (std::size_t s = m_freeHint; s < m_slots.size(); ++s) {
        if (!m_slots[s]) {
            m_freeHint = static_cast<std::uint16_t>(s);
            return m_freeHint;
        }
    }
    return 0;
}

bool CBindTree::Add(std::unique_ptr<CBindTreeEntry> entry)
{
    if (!entry || entry->GetKey() == 0)
        return false;
    const std::uint16_t slot = entry->GetValue();
    if (slot == 0 || slot >= m_slots.size() || m_slots[slot])
        return false;
    auto node = std::make_unique<Node>();
    node->item = std::move(entry);
    Node* z = node.get();
    m_slots[slot] = std::move(node);
    InsertNode(z);
    ++m_count;
    return true;
}

void CBindTree::Remove(const CBindTreeEntry& entry)
{
    const std::uint16_t slot = entry.GetValue();
    if (slot == 0 || slot >= m_slots.size() || !m_slots[slot] || m_slots[slot]->item.get() != &entry)
        return;
    DeleteNode(m_slots[slot].get());
    m_slots[slot].reset();
    --m_count;
    m_freeHint = std::min(m_freeHint, slot);
}

void CBindTree::ReplaceChild(Node* parent, Node* from, Node* to)
{
    if (parent == m_header.get())
        m_header->left = to;
    else if (parent->left == from)
        parent->left = to;
    else
        parent->right = to;
}

void CBindTree::RotateLeft(Node* x)
{
    Node* y = x->right;
    x->right = y->left;
    if (y->left != m_nil.get())
        y->left->parent = x;
    y->parent = x->parent;
    ReplaceChild(x->parent, x, y);
    y->left = x;
    x->parent = y;
}

void CBindTree::RotateRight(Node* x)
{
    Node* y = x->left;
    x->left = y->right;
    if (y->right != m_nil.get())
        y->right->parent = x;
    y->parent = x->parent;
    ReplaceChild(x->parent, x, y);
    y->right = x;
    x->parent = y;
}

void CBindTree::InsertNode(Node* z)
{
    Node* nil = m_nil.get();
    const std::uint64_t key = z->item->GetKey();
    Node* y = m_header.get();
    Node* x = Root();
    while (x != nil) {
        y = x;
        x = key < x->item->GetKey() ? x->left : x->right;
    }
    z->parent = y;
    z->left = z->right = nil;
    z->colour = kRed;
    if (y == m_header.get())
        m_header->left = z;
    else if (key < y->item->GetKey())
        y->left = z;
    else
        y->right = z;
    InsertFixup(z);
}

void CBindTree::InsertFixup(Node* z)
{
    // The header is black, so the loop ends at the root.
    while (z->parent->colour == kRed) {
        Node* grand = z->parent->parent;
        if (z->parent == grand->left) {
            Node* uncle = grand->right;
            if (uncle->colour == kRed) {
                z->parent->colour = kBlack;
                uncle->colour = kBlack;
                grand->colour = kRed;
                z = grand;
                continue;
            }
            if (z == z->parent->right) {
                z = z->parent;
                RotateLeft(z);
            }
            z->parent->colour = kBlack;
            z->parent->parent->colour = kRed;
            RotateRight(z->parent->parent);
        } else {
            Node* uncle = grand->left;
            if (uncle->colour == kRed) {
                z->parent->colour = kBlack;
                uncle->colour = kBlack;
                grand->colour = kRed;
                z = grand;
                continue;
            }
            if (z == z->parent->left) {
                z = z->parent;
                RotateRight(z);
            }
            z->parent->colour = kBlack;
            z->parent->parent->colour = kRed;
            RotateLeft(z->parent->parent);
        }
    }
    Root()->colour = kBlack;
}

void CBindTree::Transplant(Node* u, Node* v)
{
    ReplaceChild(u->parent, u, v);
    v->parent = u->parent;
}

CBindTree::Node* CBindTree::Minimum(Node* x) const
{
    while (x->left != m_nil.get())
        x = x->left;
    return x;
}

void CBindTree::DeleteNode(Node* z)
{
    Node* nil = m_nil.get();
    Node* y = z;
    int removedColour = y->colour;
    Node* x = nullptr;
    if (z->left == nil) {
        x = z->right;
        Transplant(z, z->right);
    } else if (z->right == nil) {
        x = z->left;
        Transplant(z, z->left);
    } else {
        y = Minimum(z->right);
        removedColour = y->colour;
        x = y->right;
        if (y->parent == z) {
            x->parent = y;
        } else {
            Transplant(y, y->right);
            y->right = z->right;
            y->right->parent = y;
        }
        Transplant(z, y);
        y->left = z->left;
        y->left->parent = y;
        y->colour = z->colour;
    }
    if (removedColour == kBlack)
        DeleteFixup(x);
    nil->parent = nil;
}

void CBindTree::DeleteFixup(Node* x)
{
    while (x != Root() && x->colour == kBlack) {
        if (x == x->parent->left) {
            Node* w = x->parent->right;
            if (w->colour == kRed) {
                w->colour = kBlack;
                x->parent->colour = kRed;
                RotateLeft(x->parent);
                w = x->parent->right;
            }
            if (w->left->colour == kBlack && w->right->colour == kBlack) {
                w->colour = kRed;
                x = x->parent;
            } else {
                if (w->right->colour == kBlack) {
                    w->left->colour = kBlack;
                    w->colour = kRed;
                    RotateRight(w);
                    w = x->parent->right;
                }
                w->colour = x->parent->colour;
                x->parent->colour = kBlack;
                w->right->colour = kBlack;
                RotateLeft(x->parent);
                x = Root();
            }
        } else {
            Node* w = x->parent->left;
            if (w->colour == kRed) {
                w->colour = kBlack;
                x->parent->colour = kRed;
                RotateRight(x->parent);
                w = x->parent->left;
            }
            if (w->right->colour == kBlack && w->left->colour == kBlack) {
                w->colour = kRed;
                x = x->parent;
            } else {
                if (w->left->colour == kBlack) {
                    w->right->colour = kBlack;
                    w->colour = kRed;
                    RotateLeft(w);
                    w = x->parent->left;
                }
                w->colour = x->parent->colour;
                x->parent->colour = kBlack;
                w->left->colour = kBlack;
                RotateRight(x->parent);
                x = Root();
            }
        }
    }
    x->colour = kBlack;
}

int CBindTree::Depth() const
{
    int deepest = 0;
    std::vector<std::pair<const Node*, int>> work;
    if (Root() != m_nil.get())
        work.emplace_back(Root(), 1);
    while (!work.empty()) {
        const auto [node, depth] = work.back();
        work.pop_back();
        deepest = std::max(deepest, depth);
        for (const Node* child : {node->left, node->right}) {
            if (child != m_nil.get())
                work.emplace_back(child, depth + 1);
        }
    }
    return deepest;
}

void CBindTree::MakeHeaderRecord()
{
    if (m_count == 0) {
        m_header->item.reset();
        return;
    }
    m_header->item = std::make_unique<CBindTreeEntry>();
    PutBigWord(m_header->item->GetData(), kLinks[m_layout].left, SlotOf(Root()));
}

QByteArray CBindTree::FileBytes() const
{
    std::vector<CBindTreeRecord> records(m_slots.size());
    const LinkPositions links = kLinks[m_layout];
    auto fill = [&](const Node* node, CBindTreeRecord& record) {
        record.key = node->item->GetKey();
        record.colour = static_cast<std::uint32_t>(node->colour);
        record.left = SlotOf(node->left);
        record.right = SlotOf(node->right);
        record.data = node->item->GetData();
        PutBigWord(record.data, links.right, record.right);
        PutBigWord(record.data, links.left, record.left);
    };
    if (m_header->item)
        fill(m_header.get(), records[0]);
    for (std::size_t s = 1; s < m_slots.size(); ++s) {
        if (const Node* node = m_slots[s].get()) {
            fill(node, records[s]);
            records[s].root = node->parent == m_header.get() ? kRootMark : 0;
        }
    }
    return CBindTreeRecord::WriteArray(records);
}

void CBindTree::Load(const QByteArray& bytes)
{
    Clear();
    if (bytes.isEmpty())
        return;
    const auto records = CBindTreeRecord::ReadArray(bytes);
    if (!records || records->size() != m_slots.size() || !BuildFrom(*records)) {
        Clear();
        if (m_log)
            m_log(QStringLiteral("%1: the stored tree is damaged or of another size; every slot is bound anew.")
                  .arg(m_name));
    }
}

bool CBindTree::BuildFrom(const std::vector<CBindTreeRecord>& records)
{
    const std::size_t n = records.size();
    if (records[0].root != 0)
        return false;
    std::size_t root = 0;
    for (std::size_t s = 1; s < n; ++s) {
        if (records[s].root == 0)
            continue;
        if (records[s].root != kRootMark || root != 0)
            return false;
        root = s;
    }
    auto makeNode = [&](std::size_t slot, Node* parent) -> Node* {
        const CBindTreeRecord& record = records[slot];
        if (record.key == 0 || (record.colour != kBlack && record.colour != kRed))
            return nullptr;
        auto node = std::make_unique<Node>();
        node->item = std::make_unique<CBindTreeEntry>(static_cast<std::uint16_t>(slot), record.key);
        node->item->GetData() = record.data;
        node->colour = static_cast<int>(record.colour);
        node->left = node->right = m_nil.get();
        node->parent = parent;
        m_slots[slot] = std::move(node);
        ++m_count;
        return m_slots[slot].get();
    };
    if (root != 0) {
        // Walk the stored links with a work list and a visited mark, so a
        // cycle or a slot reached twice is caught instead of followed.
        std::vector<bool> seen(n, false);
        seen[root] = true;
        Node* top = makeNode(root, m_header.get());
        if (!top)
            return false;
        m_header->left = top;
        std::vector<Node*> work{top};
        while (!work.empty()) {
            Node* node = work.back();
            work.pop_back();
            const CBindTreeRecord& record = records[node->item->GetValue()];
            for (const auto& [link, child] : {std::pair{record.left, &node->left}, std::pair{record.right, &node->right}}) {
                if (link == 0)
                    continue;
                if (link >= n || seen[link])
                    return false;
                seen[link] = true;
                Node* made = makeNode(link, node);
                if (!made)
                    return false;
                *child = made;
                work.push_back(made);
            }
        }
    }
    for (std::size_t s = 1; s < n; ++s) {
        if (records[s].key != 0 && !m_slots[s])
            return false;
    }
    return IsSound();
}

bool CBindTree::IsSound() const
{
    const Node* nil = m_nil.get();
    if (Root() == nil)
        return true;
    if (Root()->colour != kBlack)
        return false;
    struct Step
    {
        const Node* node;
        int blacks;
        std::uint64_t low;
        std::uint64_t high;
    };
    int pathBlacks = -1;
    std::vector<Step> work{{Root(), 0, 0, std::numeric_limits<std::uint64_t>::max()}};
    while (!work.empty()) {
        const Step step = work.back();
        work.pop_back();
        if (step.node == nil) {
            if (pathBlacks < 0)
                pathBlacks = step.blacks;
            if (step.blacks != pathBlacks)
                return false;
            continue;
        }
        const std::uint64_t key = step.node->item->GetKey();
        if (key < step.low || key > step.high)
            return false;
        if (step.node->colour == kRed
            && (step.node->left->colour == kRed || step.node->right->colour == kRed))
            return false;
        const int blacks = step.blacks + (step.node->colour == kBlack ? 1 : 0);
        work.push_back({step.node->left, blacks, step.low, key});
        work.push_back({step.node->right, blacks, key, step.high});
    }
    return true;
}

void CBindTree::LogStatistics(const QString& treeName) const
{
    const QByteArray label = (treeName + QStringLiteral(" tree:")).toLatin1();
    if (m_log)
        m_log(QString::asprintf("%-25s Elements: %-10d Depth: %-5d", label.constData(), Count(), Depth()));
    if (Depth() > kUnbalancedDepth)
        ShowMessageBox(QStringLiteral("The %1 tree is out of balance.").arg(treeName));
}
