#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TestWorld.h"
#include "core/Census.h"

TEST(Census, CountsEveryKindOnTheGrid) {
    TestWorld world("grid.x 4\ngrid.y 3\n");
    world.putObstacle(0, 0);
    world.putObstacle(3, 2);
    world.putPrey(1, 1);
    world.putPredator(2, 1);
    world.putPrey(3, 0);
    EXPECT_EQ(takeCensus(world->grid), (Census{2, 2, 1}));
    TestWorld empty("");
    EXPECT_EQ(takeCensus(empty->grid), Census{});
}

// The search that starts where a prey was last found agrees with a full count
// on every turn, while prey are many, few, and gone.
TEST(PreySearch, AgreesWithACountOfTheWholeGridOnEveryTurn) {
    for (unsigned seed : {1u, 2u, 3u}) {
        std::srand(seed);
        TestWorld world("grid.x 30\ngrid.y 20\nobstacle.density 15\nprey.number 25\n"
                        "predator.number 12\nprey.reaction_time 1\npredator.reaction_time 1\n"
                        "prey.eatable 1\npredator.sight 8\npredator.hearing 6\n");
        PreySearch search;
        bool sawGone = false;
        for (int turn = 0; turn < 400; ++turn) {
            const bool any = takeCensus(world->grid).prey > 0;
            ASSERT_EQ(search.anyPrey(world->grid), any) << "seed " << seed << ", turn " << turn;
            sawGone = sawGone || !any;
            world->step();
        }
        EXPECT_TRUE(sawGone) << "the world should lose its prey, seed " << seed;
    }
}

TEST(PreySearch, FindsAPreyThatMovedAboveWhereItWasFound) {
    TestWorld world("grid.x 5\ngrid.y 5\n");
    const GameObjectPtr prey = world.putPrey(2, 3);
    PreySearch search;
    EXPECT_TRUE(search.anyPrey(world->grid));
    world->grid.move(2, 0, prey);
    EXPECT_TRUE(search.anyPrey(world->grid));
    world->grid.remove(prey);
    EXPECT_FALSE(search.anyPrey(world->grid));
}
