#pragma once
// How much more memory this process may take, as the system reports it. The
// front ends hand it to the World, which refuses a world whose estimated need
// is larger (core/MemoryNeed.h) before allocating anything.
//
// Linux (AvailableMemoryPosix.cpp): the least of
//   - MemAvailable of /proc/meminfo: memory available without swapping;
//   - what the process's memory cgroup leaves (v2: memory.max - memory.current;
//     v1: memory.limit_in_bytes - memory.usage_in_bytes), for its group and
//     every group above it;
//   - what RLIMIT_AS leaves beyond the address space in use (VmSize), and what
//     RLIMIT_DATA leaves beyond the data in use (VmData).
// A figure the system does not give (no /proc in a browser, no limit set)
// limits nothing.
// Windows (AvailableMemoryWindows.cpp): the least of GlobalMemoryStatusEx's
// available physical memory, available commit (ullAvailPageFile) and free
// user address space.
#include <cstdint>

// The memory available to the process in bytes; the largest std::uint64_t when
// the system reports no limit at all.
std::uint64_t availableMemoryBytes();
