#include "core/PoolAllocator.h"

#include <vector>

#include "core/AddressSanitizer.h"
#include "core/HugePageMemory.h"

namespace {

// Under AddressSanitizer every request goes to operator new, so that the
// sanitizer sees each block on its own.
constexpr bool pooling = !builtWithAddressSanitizer;

constexpr std::size_t granule = 16;
constexpr std::size_t chunkSize = HugePageMemory::regionBytes;

struct FreeBlock {
    FreeBlock* next;
};

class Pool {
public:
    void* allocate(std::size_t size) {
        const std::size_t sizeClass = (size + granule - 1) / granule;
        if (FreeBlock* block = freeLists[sizeClass]) {
            freeLists[sizeClass] = block->next;
            return block;
        }
        const std::size_t bytes = sizeClass * granule;
        if (static_cast<std::size_t>(chunkEnd - next) < bytes) {
            // The rest of the old chunk is left unused; it is less than one block.
            // A region aligns for any fundamental type, and blocks are whole granules.
            next = static_cast<char*>(HugePageMemory::obtain(chunkSize));
            chunkEnd = next + chunkSize;
            chunks.push_back(next);
        }
        void* block = next;
        next += bytes;
        return block;
    }

    void deallocate(void* block, std::size_t size) noexcept {
        const std::size_t sizeClass = (size + granule - 1) / granule;
        auto* freed = static_cast<FreeBlock*>(block);
        freed->next = freeLists[sizeClass];
        freeLists[sizeClass] = freed;
    }

private:
    FreeBlock* freeLists[pool::largestBlock / granule + 1] = {};
    char* next = nullptr;
    char* chunkEnd = nullptr;
    // Kept only so that leak checkers see every chunk as reachable.
    std::vector<char*> chunks;
};

// Never destroyed: blocks may still come back while static objects are torn down.
Pool& thePool(PoolName name) {
    static Pool* const commands = new Pool;
    static Pool* const objects = new Pool;
    return name == PoolName::objects ? *objects : *commands;
}

} // namespace

void* pool::allocate(std::size_t size, PoolName name) {
    if (pooling && size <= largestBlock)
        return thePool(name).allocate(size);
    return ::operator new(size);
}

void pool::deallocate(void* block, std::size_t size, PoolName name) noexcept {
    if (pooling && size <= largestBlock)
        thePool(name).deallocate(block, size);
    else
        ::operator delete(block);
}
