// Nothing outlives what owns it: an object lives while a cell or the last
// turn's commands hold it, and when the World goes, everything goes with it.
// Together with LeakSanitizer in the sanitizer build this proves no leak.
#include <gtest/gtest.h>

#include "WorldCensus.h"
#include "support/TestWorld.h"

namespace {

// A crowded world in which every kind can be eaten, so that objects leave
// the grid in every way there is: eaten, and pushed out by a later mover.
const std::string crowdedWorld = "grid.x 30\ngrid.y 20\nobstacle.density 15\n"
                                 "prey.number 200\npredator.number 60\n"
                                 "prey.reaction_time 1\npredator.reaction_time 1\n"
                                 "prey.eatable 1\npredator.eatable 1\nobstacle.eatable 1\n"
                                 "obstacle.blocks_los 1\npredator.hearing 6\n"
                                 "predator.sight 8\n";

} // namespace

TEST(Lifetimes, AfterThousandsOfTurnsAndTheWorldDestroyedNothingIsLeft) {
    WorldCensus census;
    {
        TestWorld world(crowdedWorld);
        census.take(*world);
        for (int turn = 0; turn < 3000; ++turn) {
            world->step();
            census.take(*world);
        }
        EXPECT_GT(census.alive(), 0u);
    }
    EXPECT_EQ(census.alive(), 0u);
}

TEST(Lifetimes, AnObjectOffTheGridLivesOnlyUntilTheNextTurnReleasesItsCommands) {
    TestWorld world(crowdedWorld);
    WorldCensus census;
    census.take(*world);
    for (int turn = 0; turn < 400; ++turn) {
        world->step();
        census.take(*world);
        ASSERT_EQ(WorldCensus::ownershipFault(*world, census), "") << "turn " << turn;
        ASSERT_EQ(WorldCensus::turnFault(*world), "") << "turn " << turn;
    }
}

TEST(Lifetimes, ATurnOnAnEmptyBoardLeavesNoCommandBehind) {
    TestWorld world("grid.x 3\ngrid.y 3\n");
    for (int turn = 0; turn < 100; ++turn)
        world->step();
    EXPECT_TRUE(world->pendingCommands.empty());
    EXPECT_TRUE(world->lastCommands.empty());
}
