#include "system/MemoryFigures.h"

#include <charconv>

namespace memoryfigures {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<std::uint64_t> number(std::string_view digits) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end == digits.data())
        return std::nullopt;
    return value;
}

// Calls visit(line) for every line of the text until it returns true.
template <class Visit> void forEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (visit(text.substr(0, end)) || end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

} // namespace

std::optional<std::uint64_t> kilobyteField(std::string_view text, std::string_view name) {
    std::optional<std::uint64_t> bytes;
    forEachLine(text, [&](std::string_view line) {
        if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
            line[name.size()] != ':')
            return false;
        const std::string_view rest = trimmed(line.substr(name.size() + 1));
        const std::optional<std::uint64_t> kilobytes = number(rest.substr(0, rest.find(' ')));
        if (kilobytes && *kilobytes <= UINT64_MAX / 1024)
            bytes = *kilobytes * 1024;
        return true;
    });
    return bytes;
}

std::optional<std::string> cgroupPath(std::string_view procSelfCgroup, int version) {
    std::optional<std::string> path;
    forEachLine(procSelfCgroup, [&](std::string_view line) {
        // hierarchy-ID:controller-list:path
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos)
            return false;
        const std::string_view id = line.substr(0, first);
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        bool wanted = false;
        if (version == 2) {
            wanted = id == "0" && controllers.empty();
        } else {
            std::string_view rest = controllers;
            while (!wanted && !rest.empty()) {
                const std::size_t comma = rest.find(',');
                wanted = rest.substr(0, comma) == "memory";
                rest = comma == std::string_view::npos ? "" : rest.substr(comma + 1);
            }
        }
        if (wanted)
            path = std::string(trimmed(line.substr(second + 1)));
        return wanted;
    });
    return path;
}

std::vector<std::string> pathAndParents(const std::string& path) {
    std::vector<std::string> paths;
    std::string current = path;
    while (current.size() > 1 && current.back() == '/')
        current.pop_back();
    for (;;) {
        paths.push_back(current.empty() ? "/" : current);
        const std::size_t slash = current.rfind('/');
        if (current.empty() || current == "/" || slash == std::string::npos)
            break;
        current = slash == 0 ? "/" : current.substr(0, slash);
    }
    return paths;
}

std::optional<std::uint64_t> cgroupNumber(std::string_view text) {
    const std::string_view value = trimmed(text);
    if (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return number(value);
}

std::uint64_t remaining(std::uint64_t limit, std::uint64_t used) {
    return limit > used ? limit - used : 0;
}

} // namespace memoryfigures
