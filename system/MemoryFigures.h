#pragma once
// Reading the memory figures Linux gives as text (/proc/meminfo,
// /proc/self/status, /proc/self/cgroup and the cgroup files), apart from the
// reading of the files, so that the parsing is tested on every system.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace memoryfigures {

// A "Name:   1234 kB" line's figure in bytes (/proc/meminfo, /proc/self/status).
std::optional<std::uint64_t> kilobyteField(std::string_view text, std::string_view name);

// The cgroup of the process from /proc/self/cgroup: the path of the unified
// (v2) hierarchy ("0::/path") when version is 2, or of the v1 hierarchy whose
// controllers include "memory" ("4:memory:/path") when version is 1.
std::optional<std::string> cgroupPath(std::string_view procSelfCgroup, int version);

// The path and every path above it, up to "/": a limit of any of them applies.
std::vector<std::string> pathAndParents(const std::string& path);

// A cgroup file's number; "max" (no limit) and anything unreadable give nothing.
std::optional<std::uint64_t> cgroupNumber(std::string_view text);

// limit - used, or 0 when more than the limit is in use.
std::uint64_t remaining(std::uint64_t limit, std::uint64_t used);

} // namespace memoryfigures
