#include <gtest/gtest.h>

#include <set>

#include "behaviour/LineOfSight.h"
#include "support/TestWorld.h"

namespace {

using Cell = std::pair<int, int>;

// The cells whose blocking object hides the target from the viewer, found by
// putting one blocking obstacle into each cell of the board in turn.
std::set<Cell> cellsThatHide(Cell viewer, Cell target) {
    TestWorld world("grid.x 6\ngrid.y 6\nobstacle.blocks_los 1\n");
    std::set<Cell> hiding;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const GameObjectPtr blocker = world.putObstacle(x, y);
            if (!hasLineOfSight(viewer.first, viewer.second, target.first, target.second))
                hiding.insert({x, y});
            world->grid.remove(blocker);
        }
    }
    return hiding;
}

} // namespace

TEST(LineOfSight, TestsTheCellsOfTheIntegerLine) {
    EXPECT_EQ(cellsThatHide({0, 0}, {3, 1}), (std::set<Cell>{{3, 1}, {0, 0}, {1, 0}, {2, 1}}));
    EXPECT_EQ(cellsThatHide({0, 0}, {4, 1}),
              (std::set<Cell>{{4, 1}, {0, 0}, {1, 0}, {2, 0}, {3, 1}}));
    EXPECT_EQ(cellsThatHide({0, 0}, {1, 3}), (std::set<Cell>{{1, 3}, {0, 0}, {0, 1}, {1, 2}}));
    EXPECT_EQ(cellsThatHide({0, 0}, {1, 0}), (std::set<Cell>{{1, 0}, {0, 0}}));
}

TEST(LineOfSight, WalksAnExactDiagonalAlongTheColumns) {
    EXPECT_EQ(cellsThatHide({0, 0}, {2, 2}), (std::set<Cell>{{2, 2}, {0, 0}, {1, 1}}));
}

TEST(LineOfSight, LeavesOutTheViewersCellWhenItHasTheLargerMajorCoordinate) {
    EXPECT_EQ(cellsThatHide({3, 1}, {0, 0}), (std::set<Cell>{{0, 0}, {1, 0}, {2, 1}}));
    EXPECT_EQ(cellsThatHide({1, 0}, {0, 0}), (std::set<Cell>{{0, 0}}));
    EXPECT_EQ(cellsThatHide({1, 3}, {0, 0}), (std::set<Cell>{{0, 0}, {0, 1}, {1, 2}}));
}

TEST(LineOfSight, AlwaysSeesTheViewersOwnCell) {
    TestWorld world("grid.x 2\ngrid.y 2\nobstacle.blocks_los 1\n");
    world.putObstacle(1, 1);
    EXPECT_TRUE(hasLineOfSight(1, 1, 1, 1));
    EXPECT_FALSE(hasLineOfSight(0, 0, 1, 1));
}

TEST(LineOfSight, IsBlockedOnlyByKindsThatSayTheyBlock) {
    TestWorld world("grid.x 5\ngrid.y 1\nprey.blocks_los 1\nobstacle.blocks_los 0\n");
    world.putObstacle(1, 0);
    EXPECT_TRUE(hasLineOfSight(0, 0, 4, 0));
    world.putPredator(2, 0);
    EXPECT_TRUE(hasLineOfSight(0, 0, 4, 0));
    world.putPrey(3, 0);
    EXPECT_FALSE(hasLineOfSight(0, 0, 4, 0));
    EXPECT_FALSE(blocksLineOfSight(1, 0));
    EXPECT_TRUE(blocksLineOfSight(3, 0));
    EXPECT_FALSE(blocksLineOfSight(4, 0));
}

TEST(LineOfSight, RunsAcrossTheWidestGridWithoutLeavingIt) {
    TestWorld world("grid.x 10000000\ngrid.y 1\nobstacle.blocks_los 1\n");
    EXPECT_TRUE(hasLineOfSight(0, 0, 9999999, 0));
    world.putObstacle(5000000, 0);
    EXPECT_FALSE(hasLineOfSight(9999999, 0, 0, 0));
}
