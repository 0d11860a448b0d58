#pragma once
// Heap blocks in two pools: the commands (one or two per creature and turn, each
// released a turn later) and the objects on the grid with their behaviours.
//
// Blocks are cut one after the other from large chunks, regions of
// HugePageMemory (core/HugePageMemory.h), so that they lie in huge pages where
// the system gives them. A released block goes to a free list of its size and is
// handed out again first, so a turn's commands reuse the blocks of the turn
// before and the heap stays flat. The objects have a pool of their own: made in
// row-major order at set-up, they stay side by side in memory, with no command
// between them. Chunks are never given back: a pool lives as long as the
// process, and blocks may be released at any time, in any order, also after
// the World is gone.
//
// One thread only, like the rest of the simulation. Built with AddressSanitizer,
// the pools pass every request to operator new, so that the sanitizer still sees
// each block on its own.
#include <boost/make_shared.hpp>
#include <cstddef>
#include <new>
#include <utility>

enum class PoolName { commands, objects };

namespace pool {

// The largest block a pool serves; larger requests go to operator new.
inline constexpr std::size_t largestBlock = 256;

void* allocate(std::size_t size, PoolName name = PoolName::commands);
void deallocate(void* block, std::size_t size, PoolName name = PoolName::commands) noexcept;

} // namespace pool

template <class T, PoolName name = PoolName::commands> class PoolAllocator {
public:
    using value_type = T;
    template <class U> struct rebind {
        using other = PoolAllocator<U, name>;
    };

    PoolAllocator() = default;
    template <class U> PoolAllocator(const PoolAllocator<U, name>&) noexcept {}

    static_assert(alignof(T) <= alignof(std::max_align_t),
                  "pool blocks have fundamental alignment");

    T* allocate(std::size_t n) {
        if (n != 1)
            return static_cast<T*>(::operator new(n * sizeof(T)));
        return static_cast<T*>(pool::allocate(sizeof(T), name));
    }
    void deallocate(T* block, std::size_t n) noexcept {
        if (n != 1)
            ::operator delete(block);
        else
            pool::deallocate(block, sizeof(T), name);
    }

    template <class U> bool operator==(const PoolAllocator<U, name>&) const noexcept { return true; }
};

// boost::make_shared with the object and its reference count in one block of
// the commands' pool.
template <class T, class... Args> boost::shared_ptr<T> makePooled(Args&&... args) {
    return boost::allocate_shared<T>(PoolAllocator<T>(), std::forward<Args>(args)...);
}

// The same in the objects' pool: for the objects on the grid and their behaviours.
template <class T, class... Args> boost::shared_ptr<T> makeObject(Args&&... args) {
    return boost::allocate_shared<T>(PoolAllocator<T, PoolName::objects>(),
                                     std::forward<Args>(args)...);
}
