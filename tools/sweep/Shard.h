#pragma once
// A shard K/N of a sweep: the runs with run mod N = K - 1 (RunSequence), as
// --shard takes it and a record names it, "K/N" with K from 1 to N.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct Shard {
    std::uint64_t index = 1;
    std::uint64_t count = 1;

    bool operator==(const Shard&) const = default;

    // "K/N".
    std::string text() const;
    // The shard "K/N" names: K and N in digits only, K from 1 to N; nothing
    // for any other text.
    static std::optional<Shard> parse(std::string_view text);
};
