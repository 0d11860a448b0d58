#include "ReferenceSettings.h"

#include <charconv>
#include <cstdint>
#include <sstream>

namespace {

constexpr std::size_t longestLine = 998;

} // namespace

ReferenceSettings::ReferenceSettings(std::string_view file) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t feed = file.find('\n', start);
        const std::size_t end = feed == std::string_view::npos ? file.size() : feed;
        if (end - start > longestLine) {
            takeLine(file.substr(start, longestLine));
            return;
        }
        takeLine(file.substr(start, end - start));
        if (feed == std::string_view::npos)
            return;
        start = feed + 1;
    }
}

void ReferenceSettings::takeLine(std::string_view line) {
    // Stream extraction in the "C" locale splits at exactly the six white-space
    // characters of the file format.
    std::istringstream words{std::string(line)};
    std::string key;
    std::string value;
    if (!(words >> key >> value) || key[0] == '#')
        return;
    pairs[key] = value;
}

std::string ReferenceSettings::text(const std::string& key) const {
    const auto found = pairs.find(key);
    return found == pairs.end() ? std::string() : found->second;
}

int ReferenceSettings::number(const std::string& key) const {
    const std::string stored = text(key);
    std::string_view value = stored;
    bool negative = false;
    if (!value.empty() && (value[0] == '+' || value[0] == '-')) {
        negative = value[0] == '-';
        value.remove_prefix(1);
    }
    if (value.empty() || value[0] < '0' || value[0] > '9')
        return 0;
    std::uint64_t magnitude = 0;
    const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), magnitude);
    (void)rest;
    if (error != std::errc() || magnitude > (negative ? 2147483648u : 2147483647u))
        return 0;
    return static_cast<int>(negative ? -static_cast<std::int64_t>(magnitude)
                                     : static_cast<std::int64_t>(magnitude));
}

std::vector<std::string> ReferenceSettings::keys() const {
    std::vector<std::string> list;
    for (const auto& pair : pairs)
        list.push_back(pair.first);
    return list;
}

std::vector<std::string> tokensOf(std::string_view bytes, std::size_t most) {
    std::istringstream words{std::string(bytes)};
    std::vector<std::string> tokens;
    std::string token;
    while (tokens.size() < most && words >> token)
        tokens.push_back(token);
    return tokens;
}
