#include <gtest/gtest.h>

#include "behaviour/HuntingAI.h"
#include "support/TestWorld.h"

namespace {

const char* const board = "grid.x 20\ngrid.y 20\nprey.eatable 1\nobstacle.blocks_los 1\n";

std::string withRanges(int hearing, int sight) {
    return std::string(board) + "predator.hearing " + std::to_string(hearing) +
           "\npredator.sight " + std::to_string(sight) + "\n";
}

// The commands a predator issued, as text: "eat x,y" or "move x,y->x,y".
std::vector<std::string> issued(World& world) {
    std::vector<std::string> out;
    for (const CommandPtr& command : world.pendingCommands) {
        if (const auto* eat = dynamic_cast<const Eat*>(command.get()))
            out.push_back("eat " + std::to_string(eat->target->x) + "," +
                          std::to_string(eat->target->y));
        if (const auto* m = dynamic_cast<const Movement*>(command.get()))
            out.push_back("move " + std::to_string(m->fromX) + "," + std::to_string(m->fromY) +
                          "->" + std::to_string(m->toX) + "," + std::to_string(m->toY));
    }
    return out;
}

void act(const GameObjectPtr& predator) { predator->ai->act(predator); }

// A prey move of the previous turn, as hearing finds it in lastCommands.
void heardMove(TestWorld& world, GameObjectPtr subject, int fromX, int fromY, int toX, int toY) {
    world->lastCommands.push_back(
        boost::make_shared<Movement>(subject, fromX, fromY, toX, toY));
}

GameObjectPtr offGridPrey() { return boost::make_shared<Prey>(boost::make_shared<StrollingAI>()); }

using Commands = std::vector<std::string>;

} // namespace

TEST(Eating, PrefersLeftThenRightThenAboveThenBelow) {
    TestWorld world(withRanges(-1, -1));
    const GameObjectPtr predator = world.putPredator(5, 5);
    world.putPrey(6, 5);
    world.putPrey(4, 5);
    world.putPrey(5, 4);
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"eat 4,5"});

    TestWorld upDown(withRanges(-1, -1));
    const GameObjectPtr hunter = upDown.putPredator(5, 5);
    upDown.putPrey(5, 6);
    upDown.putPrey(5, 4);
    act(hunter);
    EXPECT_EQ(issued(*upDown), Commands{"eat 5,4"});
}

TEST(Eating, LeavesDiagonalNeighboursUneatenAndCannotStepOntoThem) {
    TestWorld world(withRanges(-1, 1));
    const GameObjectPtr predator = world.putPredator(5, 5);
    world.putPrey(6, 6);
    act(predator);
    EXPECT_TRUE(issued(*world).empty());
}

TEST(Eating, EatsOnlyWhatItsKindMakesEatable) {
    TestWorld world(withRanges(-1, -1) + "predator.eatable 1\nobstacle.eatable 0\n");
    const GameObjectPtr predator = world.putPredator(0, 0);
    world.putObstacle(1, 0);
    world.putPredator(0, 1);
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"eat 0,1"});
}

TEST(Eating, DoesNotEndTheActAndTheEatenNeighbourStillBlocksTheStep) {
    TestWorld world(withRanges(-1, 1));
    const GameObjectPtr predator = world.putPredator(1, 1);
    world.putPrey(0, 1);
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"eat 0,1"});
}

TEST(Eating, ThenFollowsAHeardMoveInTheSameAct) {
    TestWorld world(withRanges(5, 0));
    const GameObjectPtr predator = world.putPredator(5, 10);
    world.putPrey(4, 10);
    heardMove(world, offGridPrey(), 10, 10, 11, 10);
    act(predator);
    EXPECT_EQ(issued(*world), (Commands{"eat 4,10", "move 5,10->6,10"}));
}

TEST(EatableAt, IsEmptyOffTheGridOnEmptyCellsAndForUneatableObjects) {
    TestWorld world(board);
    const GameObjectPtr predator = world.putPredator(0, 0);
    world.putObstacle(1, 0);
    const GameObjectPtr prey = world.putPrey(0, 1);
    EXPECT_FALSE(eatableAt(predator, -1, 0));
    EXPECT_FALSE(eatableAt(predator, 1, 0));
    EXPECT_FALSE(eatableAt(predator, 1, 1));
    EXPECT_EQ(eatableAt(predator, 0, 1), prey);
    EXPECT_FALSE(eatableAt(predator, 2147483647, 0));
}

TEST(Hearing, HearsAMoveAtItsOriginAndStepsTowardsItsDestination) {
    TestWorld world(withRanges(5, 0));
    const GameObjectPtr predator = world.putPredator(5, 10);
    heardMove(world, offGridPrey(), 10, 10, 11, 10);
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"move 5,10->6,10"});
}

TEST(Hearing, FollowsTheFirstHeardMoveEvenIfALaterOneIsCloser) {
    TestWorld world(withRanges(5, 0));
    const GameObjectPtr predator = world.putPredator(5, 5);
    heardMove(world, offGridPrey(), 9, 1, 10, 0);
    heardMove(world, offGridPrey(), 5, 7, 4, 7);
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"move 5,5->6,4"});
}

TEST(Hearing, IgnoresPredatorMovesAndEats) {
    TestWorld world(withRanges(5, 0));
    const GameObjectPtr predator = world.putPredator(5, 5);
    const GameObjectPtr other = world.putPredator(7, 7);
    world->lastCommands.push_back(boost::make_shared<Eat>(other));
    world->lastCommands.push_back(boost::make_shared<Movement>(other, 6, 7, 7, 7));
    world->lastCommands.push_back(boost::make_shared<Movement>(predator, 4, 5, 5, 5));
    act(predator);
    EXPECT_TRUE(issued(*world).empty());
}

TEST(Hearing, ABlockedStepEndsTheActWithoutLooking) {
    TestWorld world(withRanges(5, 5));
    const GameObjectPtr predator = world.putPredator(5, 5);
    world.putObstacle(6, 5);
    world.putPrey(3, 3);
    heardMove(world, offGridPrey(), 9, 5, 10, 5);
    act(predator);
    EXPECT_TRUE(issued(*world).empty());
}

TEST(Hearing, FollowsTheLastMoveOfAPreyEatenLastTurn) {
    TestWorld world(withRanges(3, 0));
    const GameObjectPtr predator = world.putPredator(5, 5);
    const GameObjectPtr eaten = offGridPrey();
    eaten->eaten = true;
    heardMove(world, eaten, 8, 8, 8, 7);
    world->lastCommands.push_back(boost::make_shared<Eat>(eaten));
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"move 5,5->6,6"});
}

TEST(Hearing, HearsNothingWithANegativeRangeAndOnlyItsOwnCellWithRangeZero) {
    TestWorld deaf(withRanges(-1, 0));
    const GameObjectPtr a = deaf.putPredator(5, 5);
    heardMove(deaf, offGridPrey(), 5, 5, 6, 5);
    act(a);
    EXPECT_TRUE(issued(*deaf).empty());

    TestWorld near(withRanges(0, 0));
    const GameObjectPtr b = near.putPredator(5, 5);
    heardMove(near, offGridPrey(), 6, 6, 7, 7);
    heardMove(near, offGridPrey(), 5, 5, 6, 6);
    act(b);
    EXPECT_EQ(issued(*near), Commands{"move 5,5->6,6"});
}

TEST(Hearing, HearsAcrossTheWholeGridWithTheLargestRange) {
    TestWorld world(withRanges(2147483647, 2147483647));
    const GameObjectPtr predator = world.putPredator(0, 0);
    heardMove(world, offGridPrey(), 19, 19, 18, 19);
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"move 0,0->1,1"});
}

TEST(Sight, ChasesTheUpperThenTheLeftmostVisibleEatableObject) {
    TestWorld world(withRanges(-1, 3));
    const GameObjectPtr predator = world.putPredator(5, 5);
    world.putPrey(6, 6);
    world.putPrey(8, 3);
    world.putPrey(3, 3);
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"move 5,5->4,4"});
}

TEST(Sight, SkipsEatableObjectsBehindABlockingCell) {
    TestWorld world(withRanges(-1, 3));
    const GameObjectPtr predator = world.putPredator(5, 5);
    world.putPrey(2, 5);
    world.putObstacle(3, 5);
    world.putPrey(7, 5);
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"move 5,5->6,5"});
}

TEST(Sight, IsCutToTheGridAndSurvivesTheLargestRange) {
    TestWorld world(withRanges(-1, 2147483647));
    const GameObjectPtr predator = world.putPredator(0, 19);
    world.putPrey(19, 0);
    act(predator);
    EXPECT_EQ(issued(*world), Commands{"move 0,19->1,18"});
}

TEST(Sight, SeesNothingWithANegativeRangeAndOnlyItsOwnCellWithZero) {
    TestWorld world(withRanges(-1, -5));
    const GameObjectPtr predator = world.putPredator(5, 5);
    world.putPrey(6, 6);
    act(predator);
    EXPECT_TRUE(issued(*world).empty());
}

TEST(Sight, StopsAtItsOwnCellWhenPredatorsAreEatable) {
    TestWorld world(withRanges(-1, 2) + "predator.eatable 1\n");
    const GameObjectPtr predator = world.putPredator(5, 5);
    world.putPrey(6, 6);
    act(predator);
    EXPECT_TRUE(issued(*world).empty());
}
