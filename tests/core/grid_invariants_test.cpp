// The grid keeps what each cell holds in several copies: the handles, the
// kinds' bits and census, the objects' own cells. They must agree after every
// way a cell changes (and after every turn of every test's world, which the
// World checks itself), and a disagreement must be named.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "support/TestWorld.h"

TEST(GridInvariants, HoldAfterTheFillAndPlacementWithAPartlyUsedLastWord) {
    std::srand(7);
    Grid grid(67, 5, 30); // 335 cells
    grid.checkInvariants();
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(grid.placeAtRandom(boost::make_shared<Prey>(GameAIPtr())));
    grid.checkInvariants();
}

TEST(GridInvariants, HoldAfterPutMoveAndRemoveAcrossWords) {
    TestWorld world("grid.x 70\ngrid.y 3\n");
    Grid& grid = world->grid;
    const GameObjectPtr a = world.putPrey(63, 0);
    const GameObjectPtr b = world.putPredator(64, 0);
    grid.move(65, 1, a);
    grid.checkInvariants();
    grid.move(65, 1, b); // onto a: a leaves the grid
    grid.remove(a);      // not in its cell any more: nothing changes
    EXPECT_TRUE(grid.occupied(65, 1));
    grid.checkInvariants();
    grid.remove(b);
    grid.put(a, 69, 2);
    grid.checkInvariants();
    EXPECT_EQ(grid.emptyCells(), 209);
}

TEST(GridInvariants, NameAnObjectThatDoesNotRecordItsOwnCell) {
    TestWorld world("grid.x 3\ngrid.y 2\n");
    const GameObjectPtr prey = world.putPrey(0, 0);
    world->grid.put(prey, 2, 1); // the same object in a second cell
    try {
        world->grid.checkInvariants();
        ADD_FAILURE() << "no fault found";
    } catch (const std::logic_error& fault) {
        EXPECT_STREQ(fault.what(), "the grid's copies of its cells disagree: "
                                   "cell (0, 0) holds an object that records (2, 1)");
    }
}

TEST(GridListing, ListsObjectsInRowMajorOrderAcrossWords) {
    TestWorld world("grid.x 100\ngrid.y 2\n");
    const GameObjectPtr last = world.putObstacle(99, 1);
    const GameObjectPtr first = world.putObstacle(0, 0);
    const GameObjectPtr middle = world.putObstacle(63, 1);
    EXPECT_EQ(world->grid.objects(), (std::vector<GameObjectPtr>{first, middle, last}));
}
