#pragma once
// Where the memory a big world lives in comes from: the grid's cells, the
// objects and their behaviours (in their pool), the commands (in theirs). A
// turn of a big world touches a few hundred megabytes all over; in 4 KiB pages
// the processor spends much of it translating addresses, and every fresh page
// costs a fault. So that memory comes in regions of whole 2 MiB, each aligned
// to 2 MiB, and the program asks the system to back them with huge pages
// (madvise(MADV_HUGEPAGE)), where the system has the call: Linux and other
// systems with <sys/mman.h> and MADV_HUGEPAGE, but not the browser.
//
// Where the system gives no huge pages (THP "never", a kernel without them,
// the advice refused), a region is ordinary memory mapped from the system and
// everything works as before. Where there is no such call (Windows, the
// browser), a region is a plain block from operator new, and its alignment
// only fundamental. A system out of memory gives std::bad_alloc, as operator
// new does.
//
// Built with AddressSanitizer, no request is worth a region (worthARegion): the
// allocators below and the pools pass every block to operator new, so that
// the sanitizer sees each one on its own. The regions themselves are still
// served, as anywhere.
#include <cstddef>
#include <limits>
#include <new>

class HugePageMemory {
public:
    // The size and alignment of a huge page on x86-64 and 64-bit ARM (4 KiB pages).
    static constexpr std::size_t regionBytes = std::size_t{2} << 20;

    // Asks the system to back the region with huge pages; true when it agreed
    // to consider it.
    using Adviser = bool (*)(void* region, std::size_t bytes);
    // madvise(MADV_HUGEPAGE) where the system has it; false elsewhere.
    static bool askForHugePages(void* region, std::size_t bytes) noexcept;
    // Whether regions are mapped from the system, aligned and advised; false
    // where a region is a block from operator new.
    static bool mapsRegions() noexcept;

    // A region of at least `bytes` (whole regions of regionBytes, at least one),
    // zero-filled where mapped, aligned to regionBytes where mapped, advised by
    // `advise`. Throws std::bad_alloc when the system has no memory for it (or
    // the size rounded up to whole regions does not fit a std::size_t).
    static void* obtain(std::size_t bytes, Adviser advise = askForHugePages);
    // Gives a region from obtain(bytes) back to the system.
    static void giveBack(void* region, std::size_t bytes) noexcept;
    // `bytes` rounded up to whole regions (at least one); 0 when that does not fit.
    static std::size_t roundedUp(std::size_t bytes) noexcept;

    // Whether a block of this size should have regions of its own: at least
    // half a region (less would waste more than it saves), and never under
    // AddressSanitizer.
    static bool worthARegion(std::size_t bytes) noexcept;
};

// An allocator for the large arrays of a world (the grid's cells): a block worth
// a region comes from HugePageMemory, any other from operator new.
template <class T> class HugePageAllocator {
public:
    using value_type = T;

    HugePageAllocator() = default;
    template <class U> HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    static_assert(alignof(T) <= alignof(std::max_align_t), "regions have fundamental alignment");

    T* allocate(std::size_t n) {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        const std::size_t bytes = n * sizeof(T);
        if (HugePageMemory::worthARegion(bytes))
            return static_cast<T*>(HugePageMemory::obtain(bytes));
        return static_cast<T*>(::operator new(bytes));
    }
    void deallocate(T* block, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (HugePageMemory::worthARegion(bytes))
            HugePageMemory::giveBack(block, bytes);
        else
            ::operator delete(block);
    }

    template <class U> bool operator==(const HugePageAllocator<U>&) const noexcept { return true; }
};
