#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <cstdlib>
#include <string>

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

// Every way the grid changes a cell, each followed by the census it leaves and
// a check that every copy of the cells agrees with it.
TEST(Census, FollowsEveryChangeOfACell) {
    TestWorld world("grid.x 4\ngrid.y 3\n");
    Grid& grid = world->grid;
    const auto expect = [&](Census census, const char* after) {
        EXPECT_EQ(takeCensus(grid), census) << after;
        EXPECT_NO_THROW(grid.checkInvariants()) << after;
    };
    const GameObjectPtr prey = world.putPrey(0, 0);
    const GameObjectPtr replaced = world.putPrey(2, 0);
    const GameObjectPtr predator = world.putPredator(1, 1);
    expect({0, 2, 1}, "three put");
    const GameObjectPtr obstacle = world.putObstacle(2, 0);
    expect({1, 1, 1}, "an obstacle put over a prey");
    grid.move(2, 0, predator);
    expect({0, 1, 1}, "a predator moved onto the obstacle");
    grid.move(1, 0, prey);
    expect({0, 1, 1}, "a prey moved into an empty cell");
    grid.remove(replaced);
    expect({0, 1, 1}, "the replaced prey removed: its cell holds the predator");
    grid.move(3, 2, predator);
    grid.move(1, 0, obstacle);
    expect({0, 0, 1}, "the dropped obstacle moved from its emptied cell onto the prey");
    grid.put(predator, 3, 2);
    expect({0, 0, 1}, "an object put into its own cell");
    grid.remove(prey);
    expect({0, 0, 1}, "the dropped prey removed");
    std::srand(1);
    grid.placeAtRandom(boost::make_shared<Prey>(GameAIPtr()));
    expect({0, 1, 1}, "a prey placed at random");
}
