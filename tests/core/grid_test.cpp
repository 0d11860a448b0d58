#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "core/Grid.h"
#include "support/TestWorld.h"

namespace {

bool isObstacleAt(const Grid& grid, int x, int y) {
    return dynamic_cast<Obstacle*>(grid.get(x, y).get()) != nullptr;
}

GameObjectPtr newPrey() { return boost::make_shared<Prey>(boost::make_shared<StrollingAI>()); }

} // namespace

TEST(ObstacleFill, PutsAnObstacleWhereTheDrawModuloHundredIsBelowTheDensity) {
    const std::vector<int> draws = drawsAfterSeed(7, 6);
    const Grid grid(3, 2, 30);
    for (int cell = 0; cell < 6; ++cell) {
        const int x = cell % 3, y = cell / 3;
        EXPECT_EQ(isObstacleAt(grid, x, y), draws[cell] % 100 < 30) << "cell " << x << "," << y;
    }
}

TEST(ObstacleFill, MakesOneDrawPerCellWhateverTheDensity) {
    for (int density : {-5, 0, 50, 100, 1000}) {
        const std::vector<int> draws = drawsAfterSeed(11, 13);
        const Grid grid(4, 3, density);
        EXPECT_EQ(std::rand(), draws[12]) << "density " << density;
    }
}

TEST(ObstacleFill, FillsEveryCellAtDensityHundredAndNoneAtZero) {
    const Grid full(5, 4, 100);
    EXPECT_EQ(full.objects().size(), 20u);
    EXPECT_EQ(full.emptyCells(), 0);
    const Grid empty(5, 4, 0);
    EXPECT_TRUE(empty.objects().empty());
    EXPECT_EQ(empty.emptyCells(), 20);
}

TEST(ObstacleFill, GivesEachObstacleItsOwnBehaviourAndFreshState) {
    const Grid grid(2, 1, 100);
    const GameObjectPtr a = grid.get(0, 0), b = grid.get(1, 0);
    EXPECT_NE(a->ai, b->ai);
    EXPECT_EQ(a->turnCounter, 0);
    EXPECT_FALSE(a->eaten);
    EXPECT_EQ(b->x, 1);
    EXPECT_EQ(b->y, 0);
}

TEST(GridSize, RefusesNegativeOrOversizedGridsWithoutADraw) {
    for (auto [w, h] :
         {std::pair{-3, 4}, {4, -3}, {100000, 100000}, {2147483647, 3}, {65536, 65536}}) {
        const std::vector<int> draws = drawsAfterSeed(3, 1);
        const Grid grid(w, h, 50);
        EXPECT_EQ(grid.width, 0);
        EXPECT_EQ(grid.height, 0);
        EXPECT_EQ(std::rand(), draws[0]) << w << " x " << h;
    }
}

TEST(GridSize, AcceptsAGridOfExactlyTheLimit) {
    EXPECT_TRUE(Grid::sizeFits(1, Grid::maxCells));
    EXPECT_FALSE(Grid::sizeFits(1, Grid::maxCells + 1));
    EXPECT_TRUE(Grid::sizeFits(0, 2147483647));
}

TEST(GridSize, TheLimitIsWhereACountOf32BitsEndsNotAGuessAtMemory) {
    if (sizeof(void*) == 8) {
        EXPECT_EQ(Grid::maxCells, 4294967295);
        EXPECT_TRUE(Grid::sizeFits(2147483647, 2));
        EXPECT_FALSE(Grid::sizeFits(65536, 65536));
    }
    EXPECT_TRUE(Grid::sizeFits(10'000'001, 1)) << "ten million cells was a guess, not a limit";
}

TEST(RandomPlacement, DrawsTheColumnFirstAndRetriesUntilACellIsEmpty) {
    Grid grid(3, 2, 0);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y)
            if (x != 2 || y != 1)
                grid.put(newPrey(), x, y);
    // Count the tries that the same seed needs to hit (2, 1).
    std::srand(5);
    int draws = 0;
    for (;;) {
        const int column = std::rand() % 3, row = std::rand() % 2;
        draws += 2;
        if (column == 2 && row == 1)
            break;
    }
    const int following = std::rand();
    std::srand(5);
    const GameObjectPtr prey = newPrey();
    EXPECT_TRUE(grid.placeAtRandom(prey));
    EXPECT_EQ(grid.get(2, 1), prey);
    EXPECT_EQ(prey->x, 2);
    EXPECT_EQ(prey->y, 1);
    EXPECT_EQ(std::rand(), following) << "after " << draws << " draws";
}

TEST(RandomPlacement, GivesUpWithoutADrawWhenNoCellIsEmpty) {
    Grid full(2, 2, 100);
    const std::vector<int> draws = drawsAfterSeed(9, 1);
    EXPECT_FALSE(full.placeAtRandom(newPrey()));
    EXPECT_EQ(std::rand(), draws[0]);
    Grid none(0, 0, 0);
    EXPECT_FALSE(none.placeAtRandom(newPrey()));
}

TEST(GridMove, LetsALaterMoverPushAnEarlierOneOffTheGrid) {
    Grid grid(3, 2, 0);
    const GameObjectPtr a = newPrey(), b = newPrey();
    grid.put(a, 1, 1);
    grid.put(b, 2, 0);
    grid.move(2, 1, a);
    grid.move(2, 1, b);
    EXPECT_EQ(grid.get(2, 1), b);
    EXPECT_FALSE(grid.get(1, 1));
    EXPECT_FALSE(grid.get(2, 0));
    EXPECT_EQ(a->x, 2);
    EXPECT_EQ(a->y, 1);
    EXPECT_EQ(grid.objects(), std::vector<GameObjectPtr>{b});
    EXPECT_EQ(grid.emptyCells(), 5);
    grid.checkInvariants();

    grid.remove(a);
    EXPECT_EQ(grid.get(2, 1), b);
    grid.remove(b);
    EXPECT_FALSE(grid.get(2, 1));
    EXPECT_EQ(grid.emptyCells(), 6);
    grid.checkInvariants();
}

TEST(GridListing, IsRowMajorAndSkipsEmptyCells) {
    Grid grid(3, 2, 0);
    EXPECT_TRUE(grid.objects().empty());
    EXPECT_FALSE(grid.get(1, 1));
    const GameObjectPtr c = newPrey(), a = newPrey(), b = newPrey();
    grid.put(c, 0, 1);
    grid.put(b, 2, 0);
    grid.put(a, 0, 0);
    EXPECT_EQ(grid.objects(), (std::vector<GameObjectPtr>{a, b, c}));
}

TEST(GridListing, ListsObjectsInRowMajorOrderAcrossWords) {
    TestWorld world("grid.x 100\ngrid.y 2\n");
    const GameObjectPtr last = world.putObstacle(99, 1);
    const GameObjectPtr first = world.putObstacle(0, 0);
    const GameObjectPtr middle = world.putObstacle(63, 1);
    EXPECT_EQ(world->grid.objects(), (std::vector<GameObjectPtr>{first, middle, last}));
}

TEST(GridPut, ReplacesWhateverTheCellHeld) {
    Grid grid(2, 2, 0);
    const GameObjectPtr a = newPrey(), b = newPrey();
    grid.put(a, 1, 0);
    grid.put(b, 1, 0);
    EXPECT_EQ(grid.get(1, 0), b);
    EXPECT_EQ(grid.emptyCells(), 3);
}

// The grid keeps what each cell holds in several copies (the handles, the kinds'
// bits and census, the objects' own cells); the World checks them after every
// turn of every test's world, and a disagreement must be named.
TEST(GridInvariants, HoldAfterTheFillAndPlacementWithAPartlyUsedLastWord) {
    std::srand(7);
    Grid grid(67, 5, 30); // 335 cells
    grid.checkInvariants();
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(grid.placeAtRandom(boost::make_shared<Prey>(GameAIPtr())));
    grid.checkInvariants();
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
