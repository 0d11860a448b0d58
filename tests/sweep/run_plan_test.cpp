#include <gtest/gtest.h>

#include "tools/sweep/RunPlan.h"
#include "tools/sweep/rows/TableRow.h"

namespace {

RunPlan planOf(std::vector<std::pair<std::string, std::string>> keys, std::uint64_t reps,
               unsigned seed = 1) {
    std::vector<VariedKey> varied;
    for (const auto& [key, values] : keys)
        varied.push_back({key, ValueList::parse(key, values), values});
    return RunPlan(std::move(varied), reps, seed);
}

} // namespace

TEST(RunPlan, NumbersRunsByPointThenRepWithTheFirstKeyVaryingSlowest) {
    const RunPlan plan = planOf({{"a", "1,2"}, {"b", "10:10:30"}}, 2, 5);
    EXPECT_EQ(plan.points(), 6u);
    EXPECT_EQ(plan.runs(), 12u);
    const RunFields runs[] = {{0, 0, 5, {1, 10}},  {1, 1, 6, {1, 10}},  {2, 0, 7, {1, 20}},
                              {3, 1, 8, {1, 20}},  {4, 0, 9, {1, 30}},  {5, 1, 10, {1, 30}},
                              {6, 0, 11, {2, 10}}, {11, 1, 16, {2, 30}}};
    for (const RunFields& run : runs)
        EXPECT_EQ(RunFields::of(plan, run.run), run) << run.run;
    EXPECT_EQ(plan.linesOf(plan.pointOf(11)).at(1).asFileLine(), "b 30");
}

TEST(RunPlan, WithoutVariedKeysIsOnePointOfReplicates) {
    const RunPlan plan = planOf({}, 3);
    EXPECT_EQ(plan.points(), 1u);
    EXPECT_EQ(RunFields::of(plan, 2), (RunFields{2, 2, 3, {}}));
    EXPECT_TRUE(plan.linesOf(0).empty());
}

TEST(RunPlan, SaturatesTheCountOfAHugeSweepInsteadOfOverflowing) {
    const RunPlan plan = planOf({{"a", "-2147483648:1:2147483647"},
                                 {"b", "-2147483648:1:2147483647"},
                                 {"c", "-2147483648:1:2147483647"}},
                                1000000);
    EXPECT_GT(plan.runs(), RunPlan::maxRuns);
}

TEST(RunSequence, HoldsTheRunsOfItsShardInOrder) {
    struct Case {
        std::uint64_t total, shard, shards;
        std::vector<std::uint64_t> runs;
    };
    const Case cases[] = {{7, 1, 1, {0, 1, 2, 3, 4, 5, 6}},
                          {7, 1, 3, {0, 3, 6}},
                          {7, 2, 3, {1, 4}},
                          {7, 3, 3, {2, 5}},
                          {2, 3, 3, {}},
                          {0, 1, 1, {}}};
    for (const Case& c : cases) {
        const RunSequence sequence(c.total, c.shard, c.shards);
        std::vector<std::uint64_t> runs;
        for (std::uint64_t i = 0; i < sequence.size(); ++i) {
            runs.push_back(sequence.at(i));
            EXPECT_EQ(sequence.positionOf(sequence.at(i)), i);
            EXPECT_TRUE(sequence.holds(sequence.at(i)));
        }
        EXPECT_EQ(runs, c.runs) << c.shard << "/" << c.shards;
    }
    EXPECT_FALSE(RunSequence(7, 2, 3).holds(2));
    EXPECT_FALSE(RunSequence(7, 2, 3).holds(7));
}
