#pragma once
// The runs of a sweep. The design points are every combination of the varied
// keys' values, the first key varying slowest; each point runs `reps` times.
// Runs are numbered from 0 in that order, run = point x reps + rep, and run r
// is seeded with firstSeed + r. A shard K/N of the sweep holds the runs with
// run mod N = K - 1.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/SettingLine.h"
#include "tools/sweep/ValueList.h"

struct VariedKey {
    std::string key;
    ValueList values;
    // VALUES as the user wrote them, for the record of how a table was made.
    std::string written;
};

class RunPlan {
public:
    RunPlan(std::vector<VariedKey> varied, std::uint64_t reps, unsigned firstSeed);
    // One run of one point, seeded with 1.
    RunPlan() : RunPlan({}, 1, 1) {}

    // Points and runs in all; saturates at maxRuns + 1, so a sweep too large
    // to run never overflows the count.
    static constexpr std::uint64_t maxRuns = 1'000'000;
    std::uint64_t points() const { return pointCount; }
    std::uint64_t runs() const { return pointCount * repCount; }
    std::uint64_t reps() const { return repCount; }

    std::uint64_t pointOf(std::uint64_t run) const { return run / repCount; }
    std::uint64_t repOf(std::uint64_t run) const { return run % repCount; }
    unsigned seedOf(std::uint64_t run) const { return seed + static_cast<unsigned>(run); }
    unsigned firstSeed() const { return seed; }

    const std::vector<VariedKey>& varied() const { return keys; }
    // The varied keys' names, in their order: the columns after run, rep and seed.
    std::vector<std::string> variedKeys() const;
    // The value of each varied key at the point, in the keys' order.
    std::vector<std::int32_t> valuesOf(std::uint64_t point) const;
    // The point's values as settings lines, added after the --set lines.
    std::vector<SettingLine> linesOf(std::uint64_t point) const;
    // "predator.sight=3, prey.number=40": the point as the user reads it; empty
    // when nothing is varied.
    std::string pointText(std::uint64_t point) const;

private:
    std::vector<VariedKey> keys;
    std::uint64_t repCount;
    unsigned seed;
    std::uint64_t pointCount = 1;
};

// The runs of one shard, in run order.
class RunSequence {
public:
    // Shard `index` (from 1) of `shards` over runs 0 .. total - 1.
    RunSequence(std::uint64_t total, std::uint64_t index = 1, std::uint64_t shards = 1);

    std::uint64_t size() const { return count; }
    std::uint64_t at(std::uint64_t position) const { return first + position * stride; }
    // The position of a run of this shard.
    std::uint64_t positionOf(std::uint64_t run) const { return (run - first) / stride; }
    bool holds(std::uint64_t run) const {
        return run >= first && (run - first) % stride == 0 && positionOf(run) < count;
    }
    // The runs of this sequence from `position` on (a resumed sweep's rest).
    RunSequence from(std::uint64_t position) const {
        RunSequence rest = *this;
        rest.first = at(std::min(position, count));
        rest.count = count - std::min(position, count);
        return rest;
    }

private:
    std::uint64_t first;
    std::uint64_t stride;
    std::uint64_t count;
};
