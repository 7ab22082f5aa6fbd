#pragma once

#include "qxsdk/core/QXObject.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace QXSDK {

// Growable array of pointers that it does not own. Grows by 10 slots and
// never shrinks.
template <typename T>
class TQXVector : public virtual QXObject {
public:
    TQXVector();
    TQXVector(const TQXVector& other);
    TQXVector& operator=(const TQXVector& other);
    ~TQXVector() override;

    // Stores item after the last one; 0 when the array cannot grow.
    int append(T item)
    {
        if (count == capacity) {
            T* grown = static_cast<T*>(std::realloc(items, sizeof(T) * (capacity + kGrowth)));
            if (!grown) return 0;
            items = grown;
            capacity += kGrowth;
        }
        items[count++] = item;
        return 1;
    }
    // The item at index, or null outside 0..getCount()-1.
    T getAt(int index) const { return (index >= 0 && index < count) ? items[index] : T(); }
    // Index of the first slot holding item, -1 when absent.
    int indexOf(T item) const
    {
        for (int i = 0; i < count; ++i)
            if (items[i] == item) return i;
        return -1;
    }
    // Removes the first slot holding item, moving the later ones down.
    void remove(T item)
    {
        const int i = indexOf(item);
        if (i < 0) return;
        std::memmove(items + i, items + i + 1, sizeof(T) * (count - i - 1));
        --count;
    }
    // Forgets every item; the array stays allocated.
    void removeAll()
    {
        count = 0;
        spare = 0;
    }
    int getCount() const { return count; }
    int getCapacity() const { return capacity; }

    // A new vector with the same pointers, retained once.
    QXObject* clone() override;
    // Replaces the contents by source's pointers in index order.
    void assignFrom(const TQXVector& source);

private:
    static const int kGrowth = 10;

    T* items;
    int capacity;
    int count;
    int spare;
};

template <typename T>
TQXVector<T>::TQXVector()
    : QXObject(), items(static_cast<T*>(std::malloc(sizeof(T) * kGrowth))), capacity(items ? kGrowth : 0),
      count(0), spare(0)
{
    appendTypeName("TQXVector");
}

template <typename T>
TQXVector<T>::TQXVector(const TQXVector& other) : TQXVector()
{
    assignFrom(other);
}

template <typename T>
TQXVector<T>& TQXVector<T>::operator=(const TQXVector& other)
{
    assignFrom(other);
    return *this;
}

template <typename T>
TQXVector<T>::~TQXVector()
{
    std::free(items);
}

template <typename T>
QXObject* TQXVector<T>::clone()
{
    TQXVector* copy = new (std::nothrow) TQXVector();
    if (!copy) return nullptr;
    copy->retain();
    copy->assignFrom(*this);
    return copy;
}

template <typename T>
void TQXVector<T>::assignFrom(const TQXVector& source)
{
    if (&source == this) return;
    removeAll();
    for (int i = 0; i < source.count; ++i)
        if (!append(source.items[i])) return;
}

} // namespace QXSDK
