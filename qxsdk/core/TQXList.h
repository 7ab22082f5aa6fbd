#pragma once

#include "qxsdk/core/QXObject.h"

#include <cstdlib>
#include <new>
#include <utility>

namespace QXSDK {

// Doubly linked list of values with one built-in cursor: walks go through
// moveFirst / getCurrent / moveNext, so a list supports one walk at a time.
// The list owns copies of its values (for pointer values, not the pointees).
template <typename T>
class TQXList : public virtual QXObject {
public:
    TQXList();
    // A copy of every value, the cursor on the same position.
    TQXList(const TQXList& other);
    TQXList& operator=(const TQXList& other);
    ~TQXList() override;

    // Number of values.
    virtual int count();
    // True when the cursor is on the first node.
    virtual int isFirst();
    // True when the cursor is on the last node.
    virtual int isLast();
    // Cursor to the first node; 0 on an empty list.
    virtual int moveFirst();
    // Cursor to the last node; 0 on an empty list.
    virtual int moveLast();
    // Cursor one back; 0 (cursor unchanged) at the head or when unset.
    virtual int movePrev();
    // Cursor one on; 0 (cursor unchanged) at the tail or when unset.
    virtual int moveNext();
    // Deletes every node.
    virtual void clear();
    // Adds before the head; the first node of a list also takes the cursor.
    virtual int addFirst(T value);
    // Adds after the tail; the first node of a list also takes the cursor.
    virtual int addLast(T value);
    // Adds directly after (after nonzero) or before the cursor; 0 when unset.
    virtual int insert(T value, int after);
    // Replaces the value at the cursor; 0 when unset.
    virtual int setCurrent(T value);
    // Deletes the node at the cursor, which moves to the next node (or to the
    // new head or tail when an end was removed); 0 when unset.
    virtual int removeCurrent();
    // The value at the cursor, null when unset; valid until the node goes.
    virtual T* getCurrent();

    // A new list with the same values, retained once.
    QXObject* clone() override;
    // Replaces the contents by source's values; leaves source's cursor on its tail.
    void assignFrom(TQXList& source);

private:
    struct Node {
        T value;
        Node* prev;
        Node* next;
    };

    // Nodes are carved out of blocks that the list owns: a long list costs
    // one heap allocation per block instead of one per value. Blocks double
    // from 4 nodes up to 1,024; the place of a deleted node is reused, and
    // the blocks go back when the list becomes empty.
    struct Block {
        Block* next;
        int capacity;
        int used;
    };
    static constexpr int kFirstBlockNodes = 4;
    static constexpr int kLargestBlockNodes = 1024;
    static constexpr size_t kBlockHeader = (sizeof(Block) + alignof(Node) - 1) / alignof(Node) * alignof(Node);

    // A node holding value, or null when memory is short.
    template <typename V>
    Node* newNode(V&& value);
    // Destroys node's value and keeps its place for the next node.
    void deleteNode(Node* node);
    void releaseBlocks();

    void copyNodes(const TQXList& other);
    // Links node into the list between before and after (either may be null).
    void link(Node* node, Node* before, Node* after);

    int nodeCount;
    Node* head;
    Node* cursor;
    Node* tail;
    Block* blocks; // the newest first
    Node* spare;   // places of deleted nodes, chained through their first bytes
};

template <typename T>
TQXList<T>::TQXList()
    : QXObject(), nodeCount(0), head(nullptr), cursor(nullptr), tail(nullptr), blocks(nullptr), spare(nullptr)
{
    appendTypeName("TQXList");
}

template <typename T>
TQXList<T>::TQXList(const TQXList& other)
    : QXObject(), nodeCount(0), head(nullptr), cursor(nullptr), tail(nullptr), blocks(nullptr), spare(nullptr)
{
    appendTypeName("TQXList");
    copyNodes(other);
}

template <typename T>
TQXList<T>& TQXList<T>::operator=(const TQXList& other)
{
    if (&other != this) {
        clear();
        copyNodes(other);
    }
    return *this;
}

template <typename T>
TQXList<T>::~TQXList()
{
    clear();
}

template <typename T>
template <typename V>
typename TQXList<T>::Node* TQXList<T>::newNode(V&& value)
{
    void* place;
    if (spare) {
        place = spare;
        spare = *static_cast<Node**>(place);
    } else {
        if (!blocks || blocks->used == blocks->capacity) {
            const int capacity = !blocks ? kFirstBlockNodes
                                 : blocks->capacity < kLargestBlockNodes ? blocks->capacity * 2
                                                                         : kLargestBlockNodes;
            void* memory = std::malloc(kBlockHeader + sizeof(Node) * static_cast<size_t>(capacity));
            if (!memory) return nullptr;
            blocks = new (memory) Block{blocks, capacity, 0};
        }
        place = reinterpret_cast<char*>(blocks) + kBlockHeader + sizeof(Node) * static_cast<size_t>(blocks->used++);
    }
    return new (place) Node{std::forward<V>(value), nullptr, nullptr};
}

template <typename T>
void TQXList<T>::deleteNode(Node* node)
{
    node->~Node();
    void* place = node;
    *static_cast<Node**>(place) = spare;
    spare = static_cast<Node*>(place);
}

template <typename T>
void TQXList<T>::releaseBlocks()
{
    while (blocks) {
        Block* next = blocks->next;
        std::free(blocks);
        blocks = next;
    }
    spare = nullptr;
}

template <typename T>
void TQXList<T>::copyNodes(const TQXList& other)
{
    for (Node* n = other.head; n; n = n->next) {
        Node* copy = newNode(n->value);
        if (!copy) return;
        link(copy, tail, nullptr);
        if (n == other.cursor) cursor = copy;
    }
}

template <typename T>
void TQXList<T>::link(Node* node, Node* before, Node* after)
{
    node->prev = before;
    node->next = after;
    if (before) before->next = node; else head = node;
    if (after) after->prev = node; else tail = node;
    ++nodeCount;
}

template <typename T>
int TQXList<T>::count()
{
    return nodeCount;
}

template <typename T>
int TQXList<T>::isFirst()
{
    return cursor && cursor == head;
}

template <typename T>
int TQXList<T>::isLast()
{
    return cursor && cursor == tail;
}

template <typename T>
int TQXList<T>::moveFirst()
{
    if (!head) return 0;
    cursor = head;
    return 1;
}

template <typename T>
int TQXList<T>::moveLast()
{
    if (!tail) return 0;
    cursor = tail;
    return 1;
}

template <typename T>
int TQXList<T>::movePrev()
{
    if (!cursor || !cursor->prev) return 0;
    cursor = cursor->prev;
    return 1;
}

template <typename T>
int TQXList<T>::moveNext()
{
    if (!cursor || !cursor->next) return 0;
    cursor = cursor->next;
    return 1;
}

template <typename T>
void TQXList<T>::clear()
{
    while (head) {
        Node* next = head->next;
        head->~Node();
        head = next;
    }
    head = cursor = tail = nullptr;
    nodeCount = 0;
    releaseBlocks();
}

template <typename T>
int TQXList<T>::addFirst(T value)
{
    Node* node = newNode(std::move(value));
    if (!node) return 0;
    link(node, nullptr, head);
    if (!cursor) cursor = node;
    return 1;
}

template <typename T>
int TQXList<T>::addLast(T value)
{
    Node* node = newNode(std::move(value));
    if (!node) return 0;
    link(node, tail, nullptr);
    if (!cursor) cursor = node;
    return 1;
}

template <typename T>
int TQXList<T>::insert(T value, int after)
{
    if (!cursor) return 0;
    Node* node = newNode(std::move(value));
    if (!node) return 0;
    if (after)
        link(node, cursor, cursor->next);
    else
        link(node, cursor->prev, cursor);
    return 1;
}

template <typename T>
int TQXList<T>::setCurrent(T value)
{
    if (!cursor) return 0;
    cursor->value = value;
    return 1;
}

template <typename T>
int TQXList<T>::removeCurrent()
{
    if (!cursor) return 0;
    Node* gone = cursor;
    if (gone->prev) gone->prev->next = gone->next; else head = gone->next;
    if (gone->next) gone->next->prev = gone->prev; else tail = gone->prev;
    // The next node (the new head when the head went), or the new tail when
    // the tail went (null when the list is now empty).
    cursor = gone->next ? gone->next : tail;
    deleteNode(gone);
    if (--nodeCount == 0) releaseBlocks();
    return 1;
}

template <typename T>
T* TQXList<T>::getCurrent()
{
    return cursor ? &cursor->value : nullptr;
}

template <typename T>
QXObject* TQXList<T>::clone()
{
    TQXList* copy = new (std::nothrow) TQXList();
    if (!copy) return nullptr;
    copy->retain();
    copy->assignFrom(*this);
    return copy;
}

template <typename T>
void TQXList<T>::assignFrom(TQXList& source)
{
    if (&source == this) return;
    clear();
    source.moveFirst();
    for (int i = 0; i < source.nodeCount; ++i) {
        addLast(*source.getCurrent());
        if (!source.moveNext()) break;
    }
}

} // namespace QXSDK
