#pragma once
#include "util/FreeList.h"
#include <cstddef>
#include <new>

// A standard allocator for node containers (std::list, std::unordered_map)
// whose single nodes come from a free list of their size and go back to it:
// inserting and erasing every frame costs no heap allocation once warmed up.
// Arrays (a hash table's buckets) still come from the heap.
template <typename T>
class TRecyclingAllocator {
public:
    using value_type = T;

    TRecyclingAllocator() = default;
    template <typename U>
    TRecyclingAllocator(const TRecyclingAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n)
    {
        if (n == 1) return static_cast<T*>(Nodes().Take());
        return static_cast<T*>(::operator new(n * sizeof(T)));
    }

    void deallocate(T* p, std::size_t n) noexcept
    {
        if (n == 1) Nodes().Give(p);
        else ::operator delete(p);
    }

    template <typename U>
    bool operator==(const TRecyclingAllocator<U>&) const noexcept
    {
        return true;
    }
    template <typename U>
    bool operator!=(const TRecyclingAllocator<U>&) const noexcept
    {
        return false;
    }

private:
    // One list per node type, kept for the whole run: containers that outlive
    // main's end (static tables) may still give nodes back.
    static TFreeList& Nodes()
    {
        static TFreeList* nodes = new TFreeList(sizeof(T));
        return *nodes;
    }
};
