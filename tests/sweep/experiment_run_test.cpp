#include <gtest/gtest.h>

#include "support/TestWorld.h"
#include "tools/sweep/ExperimentRun.h"

namespace {

struct Recorded : RunRecorder {
    void record(const RecordedTurn& turn) override { turns.push_back(turn); }
    std::vector<RecordedTurn> turns;
};

const std::string huntingWorld =
    "grid.x 24\ngrid.y 16\nobstacle.density 12\nprey.number 14\n"
    "predator.number 8\nprey.reaction_time 1\npredator.reaction_time 1\n"
    "prey.eatable 1\nobstacle.blocks_los 1\npredator.sight 6\n"
    "predator.hearing 4\n";

RunEnd play(const RunRequest& request, std::vector<RecordedTurn>& turns) {
    Recorded recorded;
    const RunEnd end = playRun(request, recorded);
    turns = recorded.turns;
    return end;
}

} // namespace

TEST(ExperimentRun, RecordsEveryKthTurnAndTheLastAndStillFindsTheTurnThePreyWereGone) {
    const TempFile file(huntingWorld);
    std::vector<RecordedTurn> everyTurn, someTurns;
    const RunEnd full = play({{file.path(), nullptr, {}}, 3, 300, 1}, everyTurn);
    const RunEnd sparse = play({{file.path(), nullptr, {}}, 3, 300, 7}, someTurns);
    ASSERT_TRUE(full.preyGoneTurn) << "the hunters should catch every prey";
    EXPECT_EQ(sparse.preyGoneTurn, full.preyGoneTurn);
    std::uint64_t firstEmpty = 0;
    while (everyTurn[firstEmpty].census.prey > 0)
        ++firstEmpty;
    EXPECT_EQ(*full.preyGoneTurn, firstEmpty);
    std::vector<RecordedTurn> expected;
    for (const RecordedTurn& turn : everyTurn) {
        if (turn.turn % 7 == 0 || turn.turn == 300)
            expected.push_back(turn);
    }
    EXPECT_EQ(someTurns, expected);
}

TEST(ExperimentRun, CountsTurnZeroOnceAndNoPreyAtAllAsGoneAtTurnZero) {
    const TempFile file("grid.x 3\ngrid.y 3\npredator.number 1\n");
    std::vector<RecordedTurn> turns;
    const RunEnd end = play({{file.path(), nullptr, {}}, 1, 0, 5}, turns);
    EXPECT_EQ(turns, (std::vector<RecordedTurn>{{0, {0, 0, 1}}}));
    EXPECT_EQ(end.preyGoneTurn, 0u);
}

TEST(ExperimentRun, RefusesAGridWithoutCellsWithTheFrontEndsWordsAndRecordsNothing) {
    const TempFile file("grid.x 5\n");
    std::vector<RecordedTurn> turns;
    const RunEnd end = play({{file.path(), nullptr, {{"grid.y", "0"}}}, 1, 10, 1}, turns);
    EXPECT_EQ(end.outcome, RunOutcome::Refused);
    EXPECT_EQ(end.message,
              "The grid is too small. Do you have a correct config? (" + file.path() + ")");
    EXPECT_TRUE(turns.empty());
    EXPECT_EQ(
        play({{file.path(), nullptr, {{"grid.y", "100000"}, {"grid.x", "100000"}}}, 1, 10, 1}, turns).message,
        "The grid is too large: more than " + std::to_string(Grid::maxCells) +
            " cells. Do you have a correct config? (" + file.path() + ")");
    EXPECT_EQ(theWorld, nullptr);
}
