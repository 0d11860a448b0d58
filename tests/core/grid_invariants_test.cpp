// Grid::occupied answers from one bit per cell; it must agree with the cells'
// handles after every operation that changes them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TestWorld.h"

namespace {

void expectBitsMatchHandles(const Grid& grid) {
    for (std::int32_t y = 0; y < grid.height; ++y) {
        for (std::int32_t x = 0; x < grid.width; ++x)
            ASSERT_EQ(grid.occupied(x, y), static_cast<bool>(grid.at(x, y))) << x << "," << y;
    }
}

} // namespace

TEST(GridOccupancy, FollowsTheObstacleFillAndPlacement) {
    std::srand(7);
    Grid grid(67, 5, 30); // 335 cells: the last word of bits is partly used
    expectBitsMatchHandles(grid);
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(grid.placeAtRandom(boost::make_shared<Prey>(GameAIPtr())));
    expectBitsMatchHandles(grid);
}

TEST(GridOccupancy, FollowsPutMoveAndRemove) {
    TestWorld world("grid.x 70\ngrid.y 3\n");
    Grid& grid = world->grid;
    const GameObjectPtr a = world.putPrey(63, 0);
    const GameObjectPtr b = world.putPrey(64, 0);
    expectBitsMatchHandles(grid);
    grid.move(65, 1, a);
    expectBitsMatchHandles(grid);
    grid.move(65, 1, b); // onto a: a leaves the grid
    expectBitsMatchHandles(grid);
    grid.remove(a); // not in its cell any more: nothing changes
    EXPECT_TRUE(grid.occupied(65, 1));
    grid.remove(b);
    expectBitsMatchHandles(grid);
    grid.put(a, 69, 2);
    expectBitsMatchHandles(grid);
    EXPECT_EQ(grid.emptyCells(), 209);
}

TEST(GridOccupancy, ListsObjectsInRowMajorOrderAcrossWords) {
    TestWorld world("grid.x 100\ngrid.y 2\n");
    const GameObjectPtr last = world.putObstacle(99, 1);
    const GameObjectPtr first = world.putObstacle(0, 0);
    const GameObjectPtr middle = world.putObstacle(63, 1);
    EXPECT_EQ(world->grid.objects(), (std::vector<GameObjectPtr>{first, middle, last}));
}
