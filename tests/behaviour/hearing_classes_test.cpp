// Hearing asks each command whether it is a Movement and each mover whether it
// is a Prey. The exact classes are answered without dynamic_cast; subclasses
// must still count as what they derive from.
#include <gtest/gtest.h>

#include "behaviour/Hearing.h"
#include "support/TestWorld.h"

namespace {

class Hare : public Prey {
public:
    using Prey::Prey;
};

class Leap : public Movement {
public:
    using Movement::Movement;
};

} // namespace

TEST(HearingClasses, HearsTheMoveOfASubclassOfPrey) {
    TestWorld world("grid.x 10\ngrid.y 10\n");
    const GameObjectPtr hare = boost::make_shared<Hare>(GameAIPtr());
    world->lastCommands.push_back(boost::make_shared<Movement>(hare, 2, 2, 3, 2));
    const std::optional<HeardMove> heard = firstHeardMove(2, 4, 2);
    ASSERT_TRUE(heard);
    EXPECT_EQ(heard->toX, 3);
}

TEST(HearingClasses, HearsASubclassOfMovement) {
    TestWorld world("grid.x 10\ngrid.y 10\n");
    const GameObjectPtr prey = boost::make_shared<Prey>(GameAIPtr());
    world->lastCommands.push_back(boost::make_shared<Leap>(prey, 2, 2, 3, 3));
    const std::optional<HeardMove> heard = firstHeardMove(2, 4, 2);
    ASSERT_TRUE(heard);
    EXPECT_EQ(heard->toY, 3);
}

TEST(HearingClasses, IgnoresEatsAndTheMovesOfPredatorsObstaclesAndNobody) {
    TestWorld world("grid.x 10\ngrid.y 10\n");
    const GameObjectPtr prey = boost::make_shared<Prey>(GameAIPtr());
    world->lastCommands.push_back(boost::make_shared<Eat>(prey));
    world->lastCommands.push_back(
        boost::make_shared<Movement>(boost::make_shared<Predator>(GameAIPtr()), 2, 2, 3, 2));
    world->lastCommands.push_back(
        boost::make_shared<Movement>(boost::make_shared<Obstacle>(GameAIPtr()), 2, 2, 3, 2));
    world->lastCommands.push_back(boost::make_shared<Movement>(GameObjectPtr(), 2, 2, 3, 2));
    EXPECT_FALSE(firstHeardMove(2, 2, 3));
}
