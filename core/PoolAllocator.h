#pragma once
// Heap blocks for the commands: one or two per creature and turn, each released
// a turn later.
//
// Blocks are cut one after the other from large chunks. A released block goes
// to a free list of its size and is handed out again first, so a turn's
// commands reuse the blocks of the turn before and the heap stays flat. Chunks
// are never given back: the pool lives as long as the process, and blocks may
// be released at any time, in any order, also after the World is gone.
//
// One thread only, like the rest of the simulation. Built with AddressSanitizer,
// the pool passes every request to operator new, so that the sanitizer still sees
// each block on its own.
#include <boost/make_shared.hpp>
#include <cstddef>
#include <new>
#include <utility>

namespace pool {

// The largest block the pool serves; larger requests go to operator new.
inline constexpr std::size_t largestBlock = 256;

void* allocate(std::size_t size);
void deallocate(void* block, std::size_t size) noexcept;

} // namespace pool

template <class T> class PoolAllocator {
public:
    using value_type = T;

    PoolAllocator() = default;
    template <class U> PoolAllocator(const PoolAllocator<U>&) noexcept {}

    static_assert(alignof(T) <= alignof(std::max_align_t),
                  "pool blocks have fundamental alignment");

    T* allocate(std::size_t n) {
        if (n != 1)
            return static_cast<T*>(::operator new(n * sizeof(T)));
        return static_cast<T*>(pool::allocate(sizeof(T)));
    }
    void deallocate(T* block, std::size_t n) noexcept {
        if (n != 1)
            ::operator delete(block);
        else
            pool::deallocate(block, sizeof(T));
    }

    template <class U> bool operator==(const PoolAllocator<U>&) const noexcept { return true; }
};

// boost::make_shared with the object and its reference count in one pool block.
template <class T, class... Args> boost::shared_ptr<T> makePooled(Args&&... args) {
    return boost::allocate_shared<T>(PoolAllocator<T>(), std::forward<Args>(args)...);
}
