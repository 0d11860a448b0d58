#include <gtest/gtest.h>

#include <cstdlib>

#include "behaviour/MoveBy.h"
#include "support/TestWorld.h"

namespace {

// The single Movement issued so far, as (fromX, fromY, toX, toY).
std::vector<int> issuedMove(World& world) {
    if (world.pendingCommands.size() != 1)
        return {};
    const auto* m = dynamic_cast<const Movement*>(world.pendingCommands[0].get());
    return m ? std::vector<int>{m->fromX, m->fromY, m->toX, m->toY} : std::vector<int>{};
}

} // namespace

TEST(MoveBy, IssuesAMoveIntoAnEmptyNeighbour) {
    TestWorld world("grid.x 3\ngrid.y 3\n");
    const GameObjectPtr prey = world.putPrey(1, 1);
    moveBy(prey, 1, -1);
    EXPECT_EQ(issuedMove(*world), (std::vector<int>{1, 1, 2, 0}));
    EXPECT_EQ(dynamic_cast<Movement&>(*world->pendingCommands[0]).subject, prey);
    EXPECT_EQ(prey->x, 1);
}

TEST(MoveBy, ClampsAStepOffTheGridPerAxis) {
    TestWorld world("grid.x 3\ngrid.y 3\n");
    const GameObjectPtr prey = world.putPrey(0, 1);
    moveBy(prey, -1, 1);
    EXPECT_EQ(issuedMove(*world), (std::vector<int>{0, 1, 0, 2}));
}

TEST(MoveBy, IssuesNothingOffACornerOrForNoStep) {
    TestWorld world("grid.x 3\ngrid.y 3\n");
    const GameObjectPtr prey = world.putPrey(0, 0);
    moveBy(prey, -1, -1);
    moveBy(prey, 0, 0);
    EXPECT_TRUE(world->pendingCommands.empty());
}

TEST(MoveBy, IssuesNothingIntoAnOccupiedCell) {
    TestWorld world("grid.x 3\ngrid.y 1\n");
    const GameObjectPtr prey = world.putPrey(1, 0);
    world.putObstacle(0, 0);
    world.putPredator(2, 0);
    moveBy(prey, -1, 0);
    moveBy(prey, 1, 0);
    EXPECT_TRUE(world->pendingCommands.empty());
}

TEST(Strolling, DrawsTheRowOffsetFirstAndTheColumnOffsetSecond) {
    TestWorld world("grid.x 3\ngrid.y 3\n");
    const GameObjectPtr prey = world.putPrey(1, 1);
    seedForRemainders({0, 2});
    prey->ai->act(prey);
    EXPECT_EQ(issuedMove(*world), (std::vector<int>{1, 1, 2, 0}));
}

TEST(Strolling, AlwaysMakesTwoDrawsEvenWhenItCannotMove) {
    TestWorld world("grid.x 1\ngrid.y 1\n");
    const GameObjectPtr prey = world.putPrey(0, 0);
    const std::vector<int> draws = drawsAfterSeed(99, 3);
    prey->ai->act(prey);
    EXPECT_TRUE(world->pendingCommands.empty());
    EXPECT_EQ(std::rand(), draws[2]);
}

TEST(Strolling, NeverIssuesMoreThanOneCellPerAxisNorAStandstill) {
    TestWorld world("grid.x 3\ngrid.y 3\n");
    const GameObjectPtr prey = world.putPrey(1, 1);
    std::srand(2024);
    for (int i = 0; i < 200; ++i)
        prey->ai->act(prey);
    for (const CommandPtr& command : world->pendingCommands) {
        const auto& m = dynamic_cast<const Movement&>(*command);
        EXPECT_LE(std::abs(m.toX - m.fromX), 1);
        EXPECT_LE(std::abs(m.toY - m.fromY), 1);
        EXPECT_TRUE(m.toX != m.fromX || m.toY != m.fromY);
    }
    EXPECT_GT(world->pendingCommands.size(), 150u);
}
