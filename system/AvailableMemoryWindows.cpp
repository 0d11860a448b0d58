// The memory available to the process on Windows (see AvailableMemory.h), from
// GlobalMemoryStatusEx.
#include "system/AvailableMemory.h"

#include <windows.h>

#include <algorithm>
#include <limits>

std::uint64_t availableMemoryBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return std::numeric_limits<std::uint64_t>::max();
    // Physical memory free for use, what may still be committed before the
    // page file is full, and the process's own free address space.
    return std::min({status.ullAvailPhys, status.ullAvailPageFile, status.ullAvailVirtual});
}
