#include "core/HugePageMemory.h"

#include <cstdint>

#include "core/AddressSanitizer.h"

// The system's call for huge pages, where there is one. The browser's
// <sys/mman.h> emulates mapping on its heap and has no huge pages.
#if __has_include(<sys/mman.h>) && !defined(__EMSCRIPTEN__)
#include <sys/mman.h>
#if defined(MADV_HUGEPAGE) && defined(MAP_ANONYMOUS)
#define LURKFIELD_MAPS_HUGE_PAGES 1
#endif
#endif

namespace {

#ifdef LURKFIELD_MAPS_HUGE_PAGES

void* mapped(std::size_t bytes) {
    void* start = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return start == MAP_FAILED ? nullptr : start;
}

// `bytes` (whole regions) at an address aligned to a region: one region more
// is mapped and the ends beyond the aligned part are given back. When even
// that is more than the system grants, the bytes alone, wherever they fall
// (the kernel backs whatever whole huge pages lie inside).
void* mapAligned(std::size_t bytes) {
    constexpr std::size_t alignment = HugePageMemory::regionBytes;
    void* wide = bytes <= SIZE_MAX - alignment ? mapped(bytes + alignment) : nullptr;
    if (wide == nullptr)
        return mapped(bytes);
    const auto start = reinterpret_cast<std::uintptr_t>(wide);
    const std::uintptr_t aligned = (start + alignment - 1) / alignment * alignment;
    if (aligned > start)
        munmap(wide, aligned - start);
    const std::uintptr_t end = start + bytes + alignment;
    if (end > aligned + bytes)
        munmap(reinterpret_cast<void*>(aligned + bytes), end - (aligned + bytes));
    return reinterpret_cast<void*>(aligned);
}

#endif

} // namespace

bool HugePageMemory::askForHugePages([[maybe_unused]] void* region,
                                     [[maybe_unused]] std::size_t bytes) noexcept {
#ifdef LURKFIELD_MAPS_HUGE_PAGES
    return madvise(region, bytes, MADV_HUGEPAGE) == 0;
#else
    return false;
#endif
}

bool HugePageMemory::mapsRegions() noexcept {
#ifdef LURKFIELD_MAPS_HUGE_PAGES
    return true;
#else
    return false;
#endif
}

std::size_t HugePageMemory::roundedUp(std::size_t bytes) noexcept {
    if (bytes > SIZE_MAX - (regionBytes - 1))
        return 0;
    const std::size_t regions = bytes == 0 ? 1 : (bytes + regionBytes - 1) / regionBytes;
    return regions * regionBytes;
}

void* HugePageMemory::obtain(std::size_t bytes, [[maybe_unused]] Adviser advise) {
    const std::size_t size = roundedUp(bytes);
    if (size == 0)
        throw std::bad_alloc();
#ifdef LURKFIELD_MAPS_HUGE_PAGES
    void* region = mapAligned(size);
    if (region == nullptr)
        throw std::bad_alloc();
    // Refused advice leaves ordinary pages: the region serves all the same.
    advise(region, size);
    return region;
#else
    return ::operator new(size);
#endif
}

void HugePageMemory::giveBack(void* region, [[maybe_unused]] std::size_t bytes) noexcept {
#ifdef LURKFIELD_MAPS_HUGE_PAGES
    munmap(region, roundedUp(bytes));
#else
    ::operator delete(region);
#endif
}

bool HugePageMemory::worthARegion(std::size_t bytes) noexcept {
    return !builtWithAddressSanitizer && bytes >= regionBytes / 2;
}
