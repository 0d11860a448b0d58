#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TestWorld.h"

namespace {

// Where placements land for the given draws, by the placement rule: column
// draw, then row draw, retried until the cell is free.
std::pair<int, int> nextFreeCell(std::vector<std::vector<bool>>& taken, int w, int h) {
    for (;;) {
        const int x = std::rand() % w, y = std::rand() % h;
        if (!taken[y][x]) {
            taken[y][x] = true;
            return {x, y};
        }
    }
}

} // namespace

TEST(WorldSetUp, WithoutAFileBuildsAnEmptyWorldWithoutADraw) {
    const std::vector<int> draws = drawsAfterSeed(4, 1);
    World world("/nonexistent/lurkfield.config");
    EXPECT_EQ(world.grid.width, 0);
    EXPECT_EQ(world.grid.height, 0);
    EXPECT_TRUE(world.grid.objects().empty());
    EXPECT_TRUE(world.pendingCommands.empty());
    EXPECT_TRUE(world.lastCommands.empty());
    EXPECT_FALSE(world.gridTooLarge());
    EXPECT_EQ(std::rand(), draws[0]);
}

TEST(WorldSetUp, PlacesPreyThenPredatorsWithTheDrawsAfterTheFill) {
    std::srand(21);
    for (int i = 0; i < 12; ++i)
        std::rand();
    std::vector<std::vector<bool>> taken(3, std::vector<bool>(4, false));
    const auto prey1 = nextFreeCell(taken, 4, 3);
    const auto prey2 = nextFreeCell(taken, 4, 3);
    const auto predator = nextFreeCell(taken, 4, 3);
    std::srand(21);
    TestWorld world("grid.x 4\ngrid.y 3\nobstacle.density 0\nprey.number 2\npredator.number 1\n");
    const GameObjectPtr a = world->grid.get(prey1.first, prey1.second);
    const GameObjectPtr b = world->grid.get(prey2.first, prey2.second);
    const GameObjectPtr h = world->grid.get(predator.first, predator.second);
    ASSERT_TRUE(dynamic_cast<Prey*>(a.get()));
    ASSERT_TRUE(dynamic_cast<Prey*>(b.get()));
    ASSERT_TRUE(dynamic_cast<Predator*>(h.get()));
    EXPECT_EQ(world->grid.objects().size(), 3u);
    for (const GameObjectPtr& object : {a, b, h}) {
        EXPECT_EQ(world->grid.get(object->x, object->y), object);
        EXPECT_EQ(object->turnCounter, 0);
        EXPECT_FALSE(object->eaten);
    }
    EXPECT_TRUE(dynamic_cast<StrollingAI*>(a->ai.get()));
    EXPECT_TRUE(dynamic_cast<HuntingAI*>(h->ai.get()));
    EXPECT_NE(a->ai, b->ai);
}

TEST(WorldSetUp, PlacesNothingAndDrawsNothingForNegativeCounts) {
    const std::vector<int> draws = drawsAfterSeed(8, 7);
    TestWorld world("grid.x 3\ngrid.y 2\nprey.number -1\npredator.number -2147483648\n");
    EXPECT_TRUE(world->grid.objects().empty());
    EXPECT_EQ(std::rand(), draws[6]);
}

TEST(WorldSetUp, SkipsTheCreaturesThatDoNotFit) {
    TestWorld world("grid.x 3\ngrid.y 3\nprey.number 5\npredator.number 2147483647\n");
    int prey = 0, predators = 0;
    for (const GameObjectPtr& object : world->grid.objects()) {
        prey += dynamic_cast<Prey*>(object.get()) != nullptr;
        predators += dynamic_cast<Predator*>(object.get()) != nullptr;
    }
    EXPECT_EQ(prey, 5);
    EXPECT_EQ(predators, 4);
    EXPECT_EQ(world->grid.emptyCells(), 0);
}

TEST(WorldSetUp, RefusesAGridTooLargeBeforeBuildingIt) {
    TestWorld world("grid.x 100000\ngrid.y 100000\nprey.number 10\n");
    EXPECT_TRUE(world->gridTooLarge());
    EXPECT_EQ(world->grid.width, 0);
    EXPECT_TRUE(world->grid.objects().empty());
}

TEST(WorldSetUp, BuildsANegativeSizedGridAsEmpty) {
    TestWorld world("grid.x -5\ngrid.y 10\nprey.number 3\n");
    EXPECT_FALSE(world->gridTooLarge());
    EXPECT_EQ(world->grid.width, 0);
    EXPECT_EQ(world->grid.height, 0);
}

TEST(WorldSetUp, BuildsAGridWithoutColumnsAtOnceHoweverManyRowsItClaims) {
    const std::vector<int> draws = drawsAfterSeed(6, 1);
    TestWorld world("grid.x 0\ngrid.y 2147483647\nobstacle.density 50\nprey.number 9\n");
    EXPECT_EQ(world->grid.width, 0);
    EXPECT_TRUE(world->grid.objects().empty());
    EXPECT_EQ(std::rand(), draws[0]);
}

TEST(WorldSetUp, ListsObstaclesPreyAndPredatorsTogetherInRowMajorOrder) {
    TestWorld world("grid.x 6\ngrid.y 5\nobstacle.density 30\nprey.number 5\npredator.number 3\n");
    const std::vector<GameObjectPtr> objects = world->grid.objects();
    for (std::size_t i = 1; i < objects.size(); ++i)
        EXPECT_LT(std::make_pair(objects[i - 1]->y, objects[i - 1]->x),
                  std::make_pair(objects[i]->y, objects[i]->x));
}
