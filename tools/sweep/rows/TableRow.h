#pragma once
// The rows of a sweep's table, and the fields every row of a run begins with,
// in the table and in the summary alike. Their columns: Columns.h.
#include <cstdint>
#include <vector>

#include "core/Census.h"

class RunPlan;

// What every row of a run begins with: the run's number (from 0), its
// replicate within its design point (from 0), the seed it was dealt from, and
// the value of each varied key at its design point, in the keys' order.
struct RunFields {
    std::uint64_t run = 0;
    std::uint64_t rep = 0;
    std::uint64_t seed = 0;
    std::vector<std::int32_t> values;

    bool operator==(const RunFields&) const = default;

    // The fields of the plan's run.
    static RunFields of(const RunPlan& plan, std::uint64_t run);
};

// One row of the table: what stood on the grid after one recorded turn of a
// run (turns 0, K, 2K, ... and the last).
struct TableRow : RunFields {
    std::uint64_t turn = 0;
    Census census;

    bool operator==(const TableRow&) const = default;
};
