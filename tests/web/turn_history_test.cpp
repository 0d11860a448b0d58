// The board's history of the page (web/TurnHistory.h), natively: any turn it is
// taken to is the turn that playing on from the set-up gave, cell by cell, turn
// counter by counter and in the random numbers' state, and so is every turn
// played on from there; its kept states stay within their budget, however many
// turns, and walking the history still gives every turn exactly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/MemoryNeed.h"
#include "core/World.h"
#include "support/TestWorld.h"
#include "web/RandomSource.h"
#include "web/TurnHistory.h"

namespace {

const std::string sampleWorld =
    "grid.x 40\ngrid.y 30\nobstacle.density 8\nprey.number 60\npredator.number 6\n"
    "prey.reaction_time 1\npredator.reaction_time 3\nprey.eatable 1\nobstacle.blocks_los 1\n"
    "predator.hearing 4\npredator.sight 6\n";
const std::string crowdedWorld =
    "grid.x 24\ngrid.y 18\nobstacle.density 5\nprey.number 150\npredator.number 20\n"
    "prey.reaction_time 1\npredator.reaction_time 2\nprey.eatable 1\nobstacle.blocks_los 1\n"
    "predator.hearing 3\npredator.sight 4\n";

// Everything a turn leaves for the next: each cell's kind and counter, and the random state.
std::string stateOf(const World& world) {
    std::string text = std::to_string(randomState()) + "\n";
    for (std::int32_t y = 0; y < world.grid.height; ++y) {
        for (std::int32_t x = 0; x < world.grid.width; ++x) {
            const GameObjectPtr object = world.grid.get(x, y);
            text += object ? "HoX"[static_cast<int>(kindOf(*object))] +
                                 std::to_string(object->turnCounter)
                           : std::string(".");
        }
        text += '\n';
    }
    return text;
}

// The states of turns 0 to `turns` of the world's game, played on from its set-up.
std::vector<std::string> playedForward(const std::string& settings, int turns) {
    std::srand(1);
    TestWorld world(settings);
    std::vector<std::string> states{stateOf(*world)};
    for (int turn = 1; turn <= turns; ++turn) {
        world->step();
        states.push_back(stateOf(*world));
    }
    return states;
}

std::vector<std::uint64_t> reached;
void noteReached(std::uint64_t turn) { reached.push_back(turn); }

struct HistoryCase {
    const char* name;
    const std::string* settings;
    std::uint64_t budget;
};

class HistoryWalk : public ::testing::TestWithParam<HistoryCase> {};

std::string caseName(const ::testing::TestParamInfo<HistoryCase>& tested) {
    return tested.param.name;
}

TEST_P(HistoryWalk, EveryTurnItGoesToAndOnFromIsTheTurnPlayedForward) {
    constexpr int turns = 120;
    const std::vector<std::string> forward = playedForward(*GetParam().settings, turns);
    std::srand(1);
    TestWorld world(*GetParam().settings);
    TurnHistory history(*world, GetParam().budget);
    for (int turn = 1; turn <= 40; ++turn) {
        world->step();
        history.played();
    }
    reached.clear();
    history.goTo(turns, noteReached); // on past the furthest: every new turn is told
    ASSERT_EQ(reached.size(), static_cast<std::size_t>(turns - 40));
    EXPECT_EQ(reached.front(), 41u);
    EXPECT_EQ(history.furthest(), static_cast<std::uint64_t>(turns));
    for (const std::uint64_t turn : {119, 118, 0, 57, 3, 4, 100, 99, 1, 64, 63, 120}) {
        history.goTo(turn, noteReached);
        ASSERT_EQ(history.shown(), turn);
        ASSERT_EQ(stateOf(*world), forward[turn]) << "taken to turn " << turn;
        if (turn == turns)
            continue;
        world->step(); // on through the same game
        history.played();
        ASSERT_EQ(stateOf(*world), forward[turn + 1]) << "on from turn " << turn;
    }
    EXPECT_EQ(reached.size(), static_cast<std::size_t>(turns - 40)); // no turn played anew
    EXPECT_LE(history.keptBytes(), GetParam().budget) << "the kept states outgrew their budget";
}

INSTANTIATE_TEST_SUITE_P(
    Worlds, HistoryWalk,
    ::testing::Values(HistoryCase{"sample", &sampleWorld, std::uint64_t{64} << 20},
                      HistoryCase{"crowded", &crowdedWorld, std::uint64_t{64} << 20},
                      // Room for a few states only: the spacing grows, the turns stay.
                      HistoryCase{"crowdedInLittleMemory", &crowdedWorld, 40000}),
    caseName);

TEST(HistoryBudget, ManyTurnsKeepFewerStatesWithinTheBudget) {
    std::srand(1);
    TestWorld world(crowdedWorld);
    constexpr std::uint64_t budget = 60000;
    TurnHistory history(*world, budget);
    for (int turn = 1; turn <= 2000; ++turn) {
        world->step();
        history.played();
        ASSERT_LE(history.keptBytes(), budget) << "after turn " << turn;
    }
    EXPECT_GT(history.spacing(), 8u);
}

TEST(HistoryBudget, TheBudgetIsAQuarterOfABigWorldAndAtLeast64MiB) {
    EXPECT_EQ(TurnHistory::budgetFor(settingsFromText(sampleWorld)), std::uint64_t{64} << 20);
    const Config big = settingsFromText("grid.x 4000\ngrid.y 4000\nprey.number 10\n");
    EXPECT_EQ(TurnHistory::budgetFor(big), estimatedMemoryNeed(big) / 4);
    EXPECT_GT(TurnHistory::budgetFor(big), std::uint64_t{64} << 20);
}

} // namespace
