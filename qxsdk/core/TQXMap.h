#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"

#include <map>
#include <new>

namespace QXSDK {

// Ordered map from QXString keys (null first, then unsigned byte order) with
// one built-in cursor. Keys are unique; put never replaces. The map owns its
// keys and values; for pointer values it does not own the pointees.
//
// Removing while walking: remove(current key) leaves the cursor on the next
// entry and flags it, so the following moveNext stays there.
//
// The entries live in a std::map, whose allocations throw: each operation
// that allocates catches std::bad_alloc, so that running out of memory fails
// the operation (put answers 0, a copy is left empty) and throws nothing.
template <typename K, typename V>
class TQXMap : public virtual QXObject {
public:
    // Defined here: a map of a type local to one source file is otherwise
    // reported unused where the compiler inlined every call.
    TQXMap() : QXObject(), cursor(entries.end()), unusedPosition(entries.end()), cursorAdvanced(0)
    {
        appendTypeName("TQXMap");
    }
    // A copy of every entry; the cursor of the copy stands at the end.
    TQXMap(const TQXMap& other);
    TQXMap& operator=(const TQXMap& other);
    ~TQXMap() override {}

    // Adds a new entry; 0 (and the old value kept) when the key is present.
    virtual int put(const K& key, const V& value);
    // Copies the value of key into out; 0 (out untouched) when absent.
    virtual int get(const K& key, V& out);
    virtual int containsKey(const K& key);
    // Linear walk in key order for an equal value.
    virtual int containsValue(const V& value);
    // Removes key and answers its value (empty or null when absent). The
    // cursor moves to the entry after a removed one; the next moveNext stays.
    virtual V remove(const K& key);
    virtual int size();
    // Cursor to the smallest key; 0 on an empty map.
    virtual int moveFirst();
    // Cursor to the next key; 0 at the end.
    virtual int moveNext();
    // Copy of the value at the cursor; empty or null at the end.
    virtual V getCurrentValue();
    // Copy of the key at the cursor; empty at the end.
    virtual K getCurrentKey();
    virtual void clear();
    virtual int isEmpty();

    // A new map with the same entries, retained once.
    QXObject* clone() override;
    // Replaces the contents by source's entries; leaves source's cursor at its end.
    void assignFrom(TQXMap& source);

private:
    using Entries = std::map<K, V>;

    static bool sameValue(const QXString& a, const QXString& b)
    {
        return a.getLength() == b.getLength() &&
               (a.getLength() == 0 || std::memcmp(a.getData(), b.getData(), a.getLength()) == 0);
    }
    template <typename P>
    static bool sameValue(P* a, P* b) { return a == b; }
    // Replaces the entries by a copy of from's; empty when memory runs out.
    void copyEntries(const Entries& from)
    {
        try {
            entries = from;
        } catch (const std::bad_alloc&) {
            entries.clear();
        }
    }

    Entries entries;
    typename Entries::iterator cursor;
    typename Entries::iterator unusedPosition;
    int cursorAdvanced;
};

template <typename K, typename V>
TQXMap<K, V>::TQXMap(const TQXMap& other)
    : QXObject(), entries(), cursor(entries.end()), unusedPosition(entries.end()), cursorAdvanced(0)
{
    appendTypeName("TQXMap");
    copyEntries(other.entries);
    cursor = entries.end();
}

template <typename K, typename V>
TQXMap<K, V>& TQXMap<K, V>::operator=(const TQXMap& other)
{
    if (&other != this) {
        copyEntries(other.entries);
        cursor = entries.end();
        cursorAdvanced = 0;
    }
    return *this;
}

template <typename K, typename V>
int TQXMap<K, V>::put(const K& key, const V& value)
{
    try {
        return entries.emplace(key, value).second ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

template <typename K, typename V>
int TQXMap<K, V>::get(const K& key, V& out)
{
    typename Entries::iterator found = entries.find(key);
    if (found == entries.end()) return 0;
    out = found->second;
    return 1;
}

template <typename K, typename V>
int TQXMap<K, V>::containsKey(const K& key)
{
    return entries.count(key) ? 1 : 0;
}

template <typename K, typename V>
int TQXMap<K, V>::containsValue(const V& value)
{
    for (const auto& entry : entries)
        if (sameValue(entry.second, value)) return 1;
    return 0;
}

template <typename K, typename V>
V TQXMap<K, V>::remove(const K& key)
{
    cursorAdvanced = 1;
    typename Entries::iterator found = entries.find(key);
    if (found == entries.end()) return V();
    V value = found->second;
    cursor = entries.erase(found);
    return value;
}

template <typename K, typename V>
int TQXMap<K, V>::size()
{
    return static_cast<int>(entries.size());
}

template <typename K, typename V>
int TQXMap<K, V>::moveFirst()
{
    cursorAdvanced = 0;
    cursor = entries.begin();
    return cursor != entries.end() ? 1 : 0;
}

template <typename K, typename V>
int TQXMap<K, V>::moveNext()
{
    if (cursor == entries.end()) {
        cursorAdvanced = 0;
        return 0;
    }
    if (cursorAdvanced) {
        cursorAdvanced = 0;
        return 1;
    }
    ++cursor;
    return cursor != entries.end() ? 1 : 0;
}

template <typename K, typename V>
V TQXMap<K, V>::getCurrentValue()
{
    return cursor != entries.end() ? cursor->second : V();
}

template <typename K, typename V>
K TQXMap<K, V>::getCurrentKey()
{
    return cursor != entries.end() ? cursor->first : K();
}

template <typename K, typename V>
void TQXMap<K, V>::clear()
{
    entries.clear();
    cursor = entries.end();
}

template <typename K, typename V>
int TQXMap<K, V>::isEmpty()
{
    return entries.empty() ? 1 : 0;
}

template <typename K, typename V>
QXObject* TQXMap<K, V>::clone()
{
    TQXMap* copy = new (std::nothrow) TQXMap();
    if (!copy) return nullptr;
    copy->retain();
    copy->assignFrom(*this);
    return copy;
}

template <typename K, typename V>
void TQXMap<K, V>::assignFrom(TQXMap& source)
{
    if (&source == this) return;
    clear();
    source.moveFirst();
    const int n = source.size();
    for (int i = 0; i < n; ++i) {
        put(source.getCurrentKey(), source.getCurrentValue());
        source.moveNext();
    }
}

} // namespace QXSDK
