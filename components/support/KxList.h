#ifndef KXLIST_H
#define KXLIST_H

#include "KxAlloc.h"

#include <cstdint>
#include <type_traits>

// Doubly linked lists of plain records made with Kx_DIAGNOSTIC_calloc.
// A record begins with the list-node fields, in this order:
//     std::uint32_t header[3];  T* last;  T* next;  T* prev;
// `last` is kept in the first record only and names the list's last record.
// The list owns its records: RemoveList and FreeList release them through
// KxReleaseRecord, which a record type may overload to release what it owns.

constexpr std::uint32_t KX_LIST_MAGIC = 0x4B784C6E; // "KxLn", in header[0] while listed

template <class T>
void KxReleaseRecord(T* record)
{
    Kx_DIAGNOSTIC_free(record);
}

template <class T>
void AddList(T** list, T* record)
{
    static_assert(std::is_standard_layout_v<T>, "list records are plain records");
    if (!list || !record)
        return;
    record->header[0] = KX_LIST_MAGIC;
    record->next = nullptr;
    record->last = nullptr;
    T* first = *list;
    if (!first) {
        record->prev = nullptr;
        record->last = record;
        *list = record;
        return;
    }
    T* tail = first->last ? first->last : first;
    while (tail->next)
        tail = tail->next;
    tail->next = record;
    record->prev = tail;
    first->last = record;
}

// Unlinks the record and releases it; the caller must not touch it afterwards.
template <class T>
void RemoveList(T** list, T* record)
{
    if (!list || !*list || !record)
        return;
    T* first = *list;
    if (record == first) {
        T* second = first->next;
        if (second) {
            second->prev = nullptr;
            second->last = first->last == first ? second : first->last;
        }
        *list = second;
    } else {
        if (record->prev)
            record->prev->next = record->next;
        if (record->next)
            record->next->prev = record->prev;
        if (first->last == record)
            first->last = record->prev;
    }
    record->header[0] = 0;
    KxReleaseRecord(record);
}

template <class T>
unsigned long ListLength(const T* first)
{
    unsigned long length = 0;
    for (const T* record = first; record; record = record->next)
        ++length;
    return length;
}

template <class T>
void FreeList(T** list)
{
    if (!list)
        return;
    T* record = *list;
    *list = nullptr;
    while (record) {
        T* next = record->next;
        KxReleaseRecord(record);
        record = next;
    }
}

#endif
