// Faults that the catalogue and the fuzzers found, each kept from coming back.
#include <gtest/gtest.h>

#include "support/TestWorld.h"

namespace {

std::string hunterWorld(const std::string& sight) {
    return "grid.x 5\ngrid.y 5\npredator.reaction_time 1\nprey.eatable 1\n"
           "predator.hearing -1\npredator.sight " +
           sight + "\n";
}

} // namespace

TEST(NegativeSight, SeesNoCellHoweverFarBelowZeroTheRangeIs) {
    // The edges of a square of range -2147483648 lie past any row number; the
    // scan once wrapped them round and read far outside the board.
    for (const char* sight : {"-1", "-5", "-2147483647", "-2147483648"}) {
        TestWorld world(hunterWorld(sight));
        world.putPredator(2, 2);
        world.putPrey(0, 0);
        world->step();
        EXPECT_TRUE(world->lastCommands.empty()) << sight;
    }
}

TEST(NegativeSight, LeavesTheBoardUnchangedOnEveryCellOfTheGrid) {
    TestWorld world(hunterWorld("-2147483648"));
    for (int y = 0; y < 5; y += 2)
        for (int x = 0; x < 5; x += 2)
            world.putPredator(x, y);
    world.putPrey(1, 1);
    for (int turn = 0; turn < 10; ++turn)
        world->step();
    EXPECT_EQ(world->grid.objects().size(), 10u);
}

TEST(LargestSight, ChasesTheFirstEatableThingOnTheWholeBoard) {
    TestWorld world(hunterWorld("2147483647"));
    world.putPredator(2, 2);
    world.putPrey(4, 0);
    world->step();
    ASSERT_EQ(world->lastCommands.size(), 1u);
    const auto* move = dynamic_cast<const Movement*>(world->lastCommands.front().get());
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(move->toX, 3);
    EXPECT_EQ(move->toY, 1);
}
