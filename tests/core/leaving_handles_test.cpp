// A turn visits its objects through plain pointers and has the grid hold every
// handle that leaves it until the turn ends: everything that stood on the grid at
// the start of a turn must live until the turn is over, as if the turn held a
// handle to each.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/weak_ptr.hpp>

#include "support/TestWorld.h"

namespace {

// When it runs, notes whether the watched object is still alive.
class NoteAlive : public Command {
public:
    NoteAlive(boost::weak_ptr<GameObject> object, bool& aliveFlag)
        : watched(std::move(object)), alive(aliveFlag) {}
    void execute() override { alive = !watched.expired(); }

private:
    boost::weak_ptr<GameObject> watched;
    bool& alive;
};

// Moves its creature one cell to the right onto whatever stands there, then has
// a command note whether the object that stood there still lives.
class PushRight : public GameAI {
public:
    PushRight(boost::weak_ptr<GameObject> object, bool& aliveFlag)
        : pushed(std::move(object)), alive(aliveFlag) {}
    void act(GameObjectPtr self) override {
        World::issue(boost::make_shared<Movement>(self, self->x, self->y, self->x + 1, self->y));
        World::issue(boost::make_shared<NoteAlive>(pushed, alive));
    }

private:
    boost::weak_ptr<GameObject> pushed;
    bool& alive;
};

} // namespace

TEST(LeavingHandles, KeepAnObjectDroppedByAMoveUntilReleased) {
    TestWorld world("grid.x 2\ngrid.y 1\n");
    const GameObjectPtr mover = world.putPrey(0, 0);
    boost::weak_ptr<GameObject> dropped = world.putObstacle(1, 0);
    world->grid.holdLeavingHandles();
    world->grid.move(1, 0, mover);
    EXPECT_FALSE(dropped.expired());
    EXPECT_EQ(world->grid.at(1, 0), mover);
    world->grid.releaseLeavingHandles();
    EXPECT_TRUE(dropped.expired());
}

TEST(LeavingHandles, AreNotKeptOutsideATurn) {
    TestWorld world("grid.x 2\ngrid.y 1\n");
    const GameObjectPtr mover = world.putPrey(0, 0);
    boost::weak_ptr<GameObject> dropped = world.putObstacle(1, 0);
    world->grid.move(1, 0, mover);
    EXPECT_TRUE(dropped.expired());
}

TEST(LeavingHandles, KeepAMoverItsOwnCellWithoutHoldingIt) {
    TestWorld world("grid.x 2\ngrid.y 1\n");
    const GameObjectPtr mover = world.putPrey(0, 0);
    world->grid.holdLeavingHandles();
    world->grid.move(1, 0, mover);
    EXPECT_EQ(mover.use_count(), 2); // the test and the new cell
    EXPECT_EQ(world->grid.emptyCells(), 1);
    world->grid.releaseLeavingHandles();
}

TEST(LeavingHandles, RemoveByObjectEmptiesOnlyACellThatHoldsThatObject) {
    TestWorld world("grid.x 2\ngrid.y 1\n");
    const GameObjectPtr prey = world.putPrey(0, 0);
    const GameObjectPtr other = world.putPrey(1, 0);
    prey->x = 1; // as if it had been pushed out of its cell
    world->grid.remove(*prey);
    EXPECT_EQ(world->grid.at(1, 0), other);
    world->grid.remove(*other);
    EXPECT_FALSE(world->grid.at(1, 0));
}

TEST(LeavingHandles, KeepAnObjectPushedOffTheGridAliveUntilTheTurnEnds) {
    TestWorld world("grid.x 2\ngrid.y 1\nprey.reaction_time 1\n");
    bool aliveAfterPush = false;
    boost::weak_ptr<GameObject> pushed;
    {
        const GameObjectPtr obstacle = world.putObstacle(1, 0);
        pushed = obstacle;
    }
    const GameObjectPtr pusher =
        boost::make_shared<Prey>(boost::make_shared<PushRight>(pushed, aliveAfterPush));
    world->grid.put(pusher, 0, 0);
    world->step();
    EXPECT_TRUE(aliveAfterPush);
    EXPECT_TRUE(pushed.expired());
    EXPECT_EQ(world->grid.at(1, 0), pusher);
}
