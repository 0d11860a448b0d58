#include <gtest/gtest.h>

#include <boost/weak_ptr.hpp>
#include <climits>
#include <cstdlib>

#include "support/TestWorld.h"

namespace {

const Movement* asMovement(const CommandPtr& command) {
    return dynamic_cast<const Movement*>(command.get());
}
const Eat* asEat(const CommandPtr& command) { return dynamic_cast<const Eat*>(command.get()); }

// Remainders of rand() % 3 that make a strolling prey step by (dx, dy).
std::vector<int> stepRemainders(int dx, int dy) { return {dy + 1, dx + 1}; }

} // namespace

TEST(Turn, PlaysTheWorkedExample) {
    TestWorld world("grid.x 4\ngrid.y 2\nprey.reaction_time 1\npredator.reaction_time 2\n"
                    "prey.eatable 1\n");
    const GameObjectPtr o = world.putObstacle(0, 0);
    GameObjectPtr p = world.putPrey(2, 0);
    const GameObjectPtr h = world.putPredator(2, 1);
    o->turnCounter = 6;
    h->turnCounter = 1;
    seedForRemainders(stepRemainders(+1, 0));
    world->step();

    ASSERT_EQ(world->lastCommands.size(), 2u);
    const Movement* m = asMovement(world->lastCommands[0]);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->subject, p);
    EXPECT_EQ(std::vector<int>({m->fromX, m->fromY, m->toX, m->toY}), std::vector<int>({2, 0, 3, 0}));
    const Eat* e = asEat(world->lastCommands[1]);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->target, p);
    EXPECT_TRUE(world->pendingCommands.empty());

    EXPECT_EQ(world->grid.objects(), (std::vector<GameObjectPtr>{o, h}));
    EXPECT_EQ(o->turnCounter, 7);
    EXPECT_EQ(h->turnCounter, 0);
    EXPECT_EQ(p->x, 3);
    EXPECT_TRUE(p->eaten);

    // The eaten prey lives on in the commands until the next turn's exchange.
    const boost::weak_ptr<GameObject> eaten = p;
    p.reset();
    EXPECT_FALSE(eaten.expired());
    world->step();
    EXPECT_TRUE(eaten.expired());
}

TEST(Turn, LetsACreatureActEveryKthTurnStartingOnTurnK) {
    TestWorld world("grid.x 1\ngrid.y 1\nprey.reaction_time 3\n");
    const GameObjectPtr prey = world.putPrey(0, 0);
    std::vector<int> counters;
    for (int turn = 1; turn <= 7; ++turn) {
        world->step();
        counters.push_back(prey->turnCounter);
    }
    EXPECT_EQ(counters, (std::vector<int>{1, 2, 0, 1, 2, 0, 1}));
}

TEST(Turn, DrawsForAStrollingPreyOnlyWhenItActs) {
    TestWorld world("grid.x 1\ngrid.y 1\nprey.reaction_time 2\n");
    world.putPrey(0, 0);
    const std::vector<int> draws = drawsAfterSeed(17, 3);
    world->step();
    EXPECT_EQ(std::rand(), draws[0]);
    std::srand(17);
    world->step();
    world->step();
    EXPECT_EQ(std::rand(), draws[2]);
}

TEST(Turn, NeverLetsACreatureWithoutAPositiveReactionTimeAct) {
    for (const char* setting : {"", "prey.reaction_time 0\n", "prey.reaction_time -1\n"}) {
        TestWorld world(std::string("grid.x 2\ngrid.y 1\n") + setting);
        const GameObjectPtr prey = world.putPrey(0, 0);
        for (int turn = 0; turn < 5; ++turn)
            world->step();
        EXPECT_EQ(prey->turnCounter, 5);
        EXPECT_TRUE(world->lastCommands.empty());
    }
}

TEST(Turn, StopsTheCounterOfACreatureThatNeverActsAtItsLargestValue) {
    TestWorld world("grid.x 2\ngrid.y 1\nprey.reaction_time -1\n");
    const GameObjectPtr prey = world.putPrey(0, 0);
    prey->turnCounter = INT_MAX - 1;
    world->step();
    world->step();
    EXPECT_EQ(prey->turnCounter, INT_MAX);
    EXPECT_TRUE(world->lastCommands.empty());
}

TEST(Turn, LetsAnObstacleReachItsReactionTimeOnlyAfterIntMaxTurns) {
    TestWorld world("grid.x 1\ngrid.y 1\n");
    const GameObjectPtr obstacle = world.putObstacle(0, 0);
    obstacle->turnCounter = INT_MAX - 1;
    world->step();
    EXPECT_EQ(obstacle->turnCounter, 0);
    world->step();
    EXPECT_EQ(obstacle->turnCounter, 1);
}

TEST(Turn, OnAnEmptyGridIssuesNothingAndClearsTheLastCommands) {
    TestWorld world("grid.x 3\ngrid.y 3\n");
    world->lastCommands.push_back(boost::make_shared<Eat>(world.putPrey(0, 0)));
    world->grid.remove(world->grid.get(0, 0));
    world->step();
    EXPECT_TRUE(world->lastCommands.empty());
    EXPECT_TRUE(world->pendingCommands.empty());
}

TEST(Turn, LetsACreatureActInTheTurnInWhichItIsEaten) {
    TestWorld world("grid.x 2\ngrid.y 2\nprey.reaction_time 1\npredator.reaction_time 1\n"
                    "prey.eatable 1\n");
    const GameObjectPtr predator = world.putPredator(0, 0);
    const GameObjectPtr prey = world.putPrey(1, 0);
    seedForRemainders(stepRemainders(0, +1));
    world->step();
    ASSERT_EQ(world->lastCommands.size(), 2u);
    EXPECT_TRUE(asEat(world->lastCommands[0]));
    ASSERT_TRUE(asMovement(world->lastCommands[1]));
    // Eaten first, moved after: it leaves the grid from its new cell.
    EXPECT_EQ(prey->y, 1);
    EXPECT_TRUE(prey->eaten);
    EXPECT_EQ(world->grid.objects(), std::vector<GameObjectPtr>{predator});
}

TEST(Turn, LetsTheLaterOfTwoMoversIntoOneCellKeepIt) {
    TestWorld world("grid.x 3\ngrid.y 1\nprey.reaction_time 1\n");
    GameObjectPtr left = world.putPrey(0, 0);
    const GameObjectPtr right = world.putPrey(2, 0);
    seedForRemainders({1, 2, 1, 0});
    world->step();
    EXPECT_EQ(world->grid.objects(), std::vector<GameObjectPtr>{right});
    EXPECT_EQ(right->x, 1);
    EXPECT_EQ(left->x, 1);
    EXPECT_FALSE(left->eaten);
    const boost::weak_ptr<GameObject> pushedOut = left;
    left.reset();
    world->step();
    EXPECT_TRUE(pushedOut.expired());
}

TEST(Turn, LeavesAMoverInTheCellOfAnEatenObjectThatItPushedOut) {
    TestWorld world("grid.x 3\ngrid.y 2\n");
    const GameObjectPtr target = world.putPrey(1, 0);
    const GameObjectPtr mover = world.putPrey(2, 1);
    world->pendingCommands.push_back(boost::make_shared<Eat>(target));
    world->pendingCommands.push_back(boost::make_shared<Movement>(target, 1, 0, 0, 0));
    world->pendingCommands.push_back(boost::make_shared<Movement>(mover, 2, 1, 0, 0));
    world->step();
    EXPECT_TRUE(target->eaten);
    EXPECT_EQ(world->grid.get(0, 0), mover);
    EXPECT_EQ(world->grid.objects(), std::vector<GameObjectPtr>{mover});
}

TEST(Turn, KeepsExactlyThisTurnsCommandsInIssueOrder) {
    TestWorld world("grid.x 8\ngrid.y 8\nobstacle.density 10\nprey.number 12\npredator.number 3\n"
                    "prey.reaction_time 1\npredator.reaction_time 1\nprey.eatable 1\n"
                    "predator.hearing 3\npredator.sight 3\n");
    for (int turn = 0; turn < 10; ++turn) {
        world->step();
        EXPECT_TRUE(world->pendingCommands.empty());
        int lastRow = -1, lastColumn = -1;
        for (const CommandPtr& command : world->lastCommands) {
            if (const Movement* m = asMovement(command)) {
                EXPECT_GT(std::make_pair(m->fromY, m->fromX), std::make_pair(lastRow, lastColumn));
                lastRow = m->fromY;
                lastColumn = m->fromX;
            }
        }
    }
}
