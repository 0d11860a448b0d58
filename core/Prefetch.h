#pragma once
// A hint to start loading a cache line that will be needed soon. A turn visits
// hundreds of thousands of heap objects, and each visit would otherwise begin by
// waiting for memory; asking a few objects ahead lets those waits overlap.
// It changes nothing that the program computes.

inline void prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}
