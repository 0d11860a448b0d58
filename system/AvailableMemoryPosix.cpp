// The memory available to the process on Linux and other POSIX systems, from
// /proc, the memory cgroup and the resource limits (see AvailableMemory.h).
// Where /proc or the cgroup files are missing (other systems, a browser's file
// system), those figures limit nothing.
#include "system/AvailableMemory.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <sys/resource.h>

#include "system/MemoryFigures.h"

namespace {

using namespace memoryfigures;

constexpr std::uint64_t noLimit = std::numeric_limits<std::uint64_t>::max();

// The whole of a small system file, or "" when it cannot be read.
std::string contentOf(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the resource limit leaves beyond `used` (0 when not known).
std::uint64_t leftByLimit(int resource, std::optional<std::uint64_t> used) {
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return noLimit;
    return remaining(static_cast<std::uint64_t>(limit.rlim_cur), used.value_or(0));
}

// What the memory cgroup of the process and the groups above it leave.
std::uint64_t leftByCgroup() {
    const std::string groups = contentOf("/proc/self/cgroup");
    std::uint64_t least = noLimit;
    struct Hierarchy {
        int version;
        const char* root;
        const char* limitFile;
        const char* usageFile;
    };
    for (const Hierarchy& h : {Hierarchy{2, "/sys/fs/cgroup", "memory.max", "memory.current"},
                               Hierarchy{1, "/sys/fs/cgroup/memory", "memory.limit_in_bytes",
                                         "memory.usage_in_bytes"}}) {
        const std::optional<std::string> path = cgroupPath(groups, h.version);
        if (!path)
            continue;
        for (const std::string& group : pathAndParents(*path)) {
            const std::string folder = h.root + (group == "/" ? std::string() : group) + "/";
            const std::optional<std::uint64_t> limit =
                cgroupNumber(contentOf(folder + h.limitFile));
            const std::optional<std::uint64_t> usage =
                cgroupNumber(contentOf(folder + h.usageFile));
            if (limit)
                least = std::min(least, remaining(*limit, usage.value_or(0)));
        }
    }
    return least;
}

} // namespace

std::uint64_t availableMemoryBytes() {
    const std::string status = contentOf("/proc/self/status");
    std::uint64_t least =
        kilobyteField(contentOf("/proc/meminfo"), "MemAvailable").value_or(noLimit);
    least = std::min(least, leftByCgroup());
    least = std::min(least, leftByLimit(RLIMIT_AS, kilobyteField(status, "VmSize")));
    least = std::min(least, leftByLimit(RLIMIT_DATA, kilobyteField(status, "VmData")));
    return least;
}
