#pragma once
// A hint to start loading a cache line that will be needed soon. A turn visits
// hundreds of thousands of heap objects, and each visit would otherwise begin by
// waiting for memory; asking a few objects ahead lets those waits overlap.
// It changes nothing that the program computes.
#include <cstddef>
#include <cstdint>

inline void prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
    // An empty statement that counts as an effect: a function that does nothing
    // but prefetch would otherwise look free of effects, and the compiler may
    // drop its calls whole.
    asm volatile("" : : "r"(address));
#else
    (void)address;
#endif
}

// An object made by make_shared, and the reference count that make_shared puts
// just before it: what copying or releasing a handle of the object touches.
// The address is computed as a number: a prefetch of any address is harmless,
// and a null object must not make pointer arithmetic undefined.
inline void prefetchWithCount(const void* object) {
    prefetch(object);
    prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(object) - 32));
}

// Calls work(item) for every item of the list in order, having called
// far(item) for it 2 x ahead items earlier and near(item) ahead items earlier:
// far asks for the item itself, near for what the item points to, once the item
// has arrived. The list's size is read at every step.
template <class List, class Far, class Near, class Work>
void visitAhead(List& list, std::size_t ahead, Far far, Near near, Work work) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i + 2 * ahead < list.size())
            far(list[i + 2 * ahead]);
        if (i + ahead < list.size())
            near(list[i + ahead]);
        work(list[i]);
    }
}
