#pragma once
// The values a --vary KEY=VALUES takes: a list "V1,V2,..." or a range
// "FIRST:STEP:LAST" (FIRST, FIRST + STEP, ... up to LAST, LAST included when
// reached). Values are whole numbers that a setting can hold (32 bits). A range
// is never written out: its size and each value are computed, so a huge range
// is refused before anything is allocated.
#include <cstdint>
#include <string>
#include <vector>

class ValueList {
public:
    // Reads VALUES for the key; a UsageError when it is empty, holds something
    // other than whole numbers, has a STEP of 0 or a range that gives no value.
    static ValueList parse(const std::string& key, const std::string& text);

    std::uint64_t size() const { return count; }
    std::int32_t at(std::uint64_t index) const;

private:
    std::vector<std::int32_t> listed;
    std::int64_t first = 0;
    std::int64_t step = 0;
    std::uint64_t count = 0;
};
