#include "tools/sweep/Shard.h"

#include <charconv>

namespace {

// The whole of `text` as a number written in digits only.
std::optional<std::uint64_t> digits(std::string_view text) {
    std::uint64_t number = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

} // namespace

std::string Shard::text() const {
    return std::to_string(index) + "/" + std::to_string(count);
}

std::optional<Shard> Shard::parse(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::optional<std::uint64_t> index = digits(text.substr(0, slash));
    const std::optional<std::uint64_t> count = digits(text.substr(slash + 1));
    if (!index || !count || *index == 0 || *index > *count)
        return std::nullopt;
    return Shard{*index, *count};
}
