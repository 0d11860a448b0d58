#include <gtest/gtest.h>

#include <climits>

#include "core/PropertyQueries.h"
#include "support/TestWorld.h"

TEST(PropertyQueries, ReadTheKeyOfTheObjectsKind) {
    TestWorld world("grid.x 3\ngrid.y 1\nprey.eatable 1\npredator.eatable 7\nobstacle.eatable -2\n"
                    "obstacle.sight 4\n");
    const GameObjectPtr prey = world.putPrey(0, 0);
    const GameObjectPtr predator = world.putPredator(1, 0);
    const GameObjectPtr obstacle = world.putObstacle(2, 0);
    EXPECT_EQ(queryProperty(prey, "eatable"), 1);
    EXPECT_EQ(queryProperty(predator, "eatable"), 7);
    EXPECT_EQ(queryProperty(obstacle, "eatable"), -2);
    EXPECT_EQ(queryProperty(obstacle, "sight"), 4);
    EXPECT_EQ(queryProperty(*obstacle, "sight"), 4);
}

TEST(PropertyQueries, ReadZeroForAMissingOrUnreadableSetting) {
    TestWorld world("grid.x 1\ngrid.y 1\nprey.hearing loud\n");
    const GameObjectPtr prey = world.putPrey(0, 0);
    EXPECT_EQ(queryProperty(prey, "hearing"), 0);
    EXPECT_EQ(queryProperty(prey, "no_such_property"), 0);
    EXPECT_EQ(queryProperty(prey, std::string(200, 'z')), 0);
}

TEST(PropertyQueries, AppendALongNameUnchanged) {
    const std::string name(100, 'q');
    TestWorld world("grid.x 1\ngrid.y 1\nprey." + name + " 5\n");
    EXPECT_EQ(queryProperty(world.putPrey(0, 0), name), 5);
}

TEST(PropertyQueries, NamedInTheProgramGiveTheSameAnswersAndSeeEveryChange) {
    TestWorld world("grid.x 3\ngrid.y 1\nprey.eatable 1\npredator.eatable 12abc\n"
                    "obstacle.blocks_los -3\nprey.blocks_los 99999999999\n");
    const GameObjectPtr objects[] = {world.putPrey(0, 0), world.putPredator(1, 0),
                                     world.putObstacle(2, 0)};
    for (const GameObjectPtr& object : objects) {
        EXPECT_EQ(queryProperty<"eatable">(*object), queryProperty(object, "eatable"));
        EXPECT_EQ(queryProperty<"blocks_los">(*object), queryProperty(object, "blocks_los"));
    }
    EXPECT_EQ(queryProperty<"eatable">(*objects[1]), 12);
    EXPECT_EQ(queryProperty<"blocks_los">(*objects[0]), 0);
    EXPECT_EQ(queryProperty<"blocks_los">(*objects[2]), -3);
    // Nothing is remembered from one query to the next.
    world->config.set("obstacle.blocks_los", "0");
    world->config.set("predator.eatable", "5");
    EXPECT_EQ(queryProperty<"blocks_los">(*objects[2]), 0);
    EXPECT_EQ(queryProperty<"eatable">(*objects[1]), 5);
}

TEST(PropertyVisitors, DoNothingForKindsTheyDoNotOverride) {
    struct PreyOnly : GameObjectVisitor {
        int visits = 0;
        void visit(Prey&) override { ++visits; }
    } visitor;
    TestWorld world("grid.x 3\ngrid.y 1\n");
    world.putPredator(0, 0)->accept(visitor);
    world.putObstacle(1, 0)->accept(visitor);
    EXPECT_EQ(visitor.visits, 0);
    world.putPrey(2, 0)->accept(visitor);
    EXPECT_EQ(visitor.visits, 1);
}

TEST(ReactionTime, IsReadPerKindAndIsMaximalForObstacles) {
    TestWorld world("grid.x 3\ngrid.y 1\nprey.reaction_time 4\npredator.reaction_time 9\n"
                    "obstacle.reaction_time 1\n");
    GetReactionTime prey, predator, obstacle;
    world.putPrey(0, 0)->accept(prey);
    world.putPredator(1, 0)->accept(predator);
    world.putObstacle(2, 0)->accept(obstacle);
    EXPECT_EQ(prey.value, 4);
    EXPECT_EQ(predator.value, 9);
    EXPECT_EQ(obstacle.value, INT_MAX);
}
