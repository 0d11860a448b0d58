// The turn lists only the creatures, counts the ticks of obstacles that do not
// act in a run of their own and visits only the marked to remove the eaten; it
// must play the very game of the plain turn, which lists every object in
// row-major order, ticks each in that order and visits each again.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Tick.h"
#include "support/TestWorld.h"

namespace {

// The turn as the rules state it, written plainly.
void plainStep(World& world) {
    const std::vector<GameObjectPtr> objects = world.grid.objects();
    for (const GameObjectPtr& object : objects)
        tickObject(*object);
    for (std::size_t i = 0; i < world.pendingCommands.size(); ++i)
        world.pendingCommands[i]->execute();
    world.lastCommands = std::move(world.pendingCommands);
    world.pendingCommands.clear();
    world.lastCommandsChanged();
    for (const GameObjectPtr& object : objects) {
        if (object->eaten)
            world.grid.remove(*object);
    }
}

// An obstacle's behaviour that draws once when it acts: it shows the order of the acts.
class DrawingAI : public GameAI {
public:
    void act(GameObjectPtr) override { static_cast<void>(std::rand()); }
};

struct RandomWorld {
    unsigned seed;
    int width, height, obstacleDensity, prey, predators;
    std::string kinds; // extra settings
};

// Every cell as (kind, counter, eaten).
std::vector<std::int64_t> snapshot(const Grid& grid) {
    std::vector<std::int64_t> cells;
    for (std::int32_t y = 0; y < grid.height; ++y) {
        for (std::int32_t x = 0; x < grid.width; ++x) {
            const GameObjectPtr& object = grid.at(x, y);
            if (!object) {
                cells.push_back(-1);
                continue;
            }
            cells.push_back(static_cast<std::int64_t>(kindOf(*object)) * 10'000'000'000 +
                            std::int64_t{object->turnCounter} * 2 + object->eaten);
        }
    }
    return cells;
}

// The obstacles of the first rows are set to act on this turn or the next, to
// draw when they act, or to be marked eaten by hand, the same way in both
// games; so is every tenth creature of them.
void prepareObstacles(World& world) {
    int n = 0, creatures = 0;
    world.grid.forEachOccupiedCell([&](std::int32_t, std::int32_t, const GameObjectPtr& object) {
        if (kindOf(*object) != Kind::obstacle) {
            object->eaten = creatures++ % 10 == 3;
            return;
        }
        if (n >= 12)
            return;
        object->turnCounter = n % 3 == 0 ? INT_MAX - 1 : n % 3 == 1 ? INT_MAX : 5;
        if (n % 2 == 0)
            object->ai = boost::make_shared<DrawingAI>();
        object->eaten = n % 5 == 4;
        ++n;
    });
}

std::vector<std::vector<std::int64_t>> play(const RandomWorld& w, bool plain) {
    std::srand(w.seed);
    TestWorld world("grid.x " + std::to_string(w.width) + "\ngrid.y " + std::to_string(w.height) +
                    "\nobstacle.density " + std::to_string(w.obstacleDensity) +
                    "\nprey.number " + std::to_string(w.prey) + "\npredator.number " +
                    std::to_string(w.predators) + "\n" + w.kinds);
    prepareObstacles(*world);
    std::vector<std::vector<std::int64_t>> turns;
    for (int turn = 0; turn < 40; ++turn) {
        if (turn == 20) // an obstacle arrives between turns: its list is made again
            world->grid.put(boost::make_shared<Obstacle>(boost::make_shared<NothingAI>()), 0, 0);
        if (turn == 30) { // a copy without that obstacle takes the grid's place: so it is
            Grid copy = world->grid;
            copy.remove(copy.get(0, 0));
            world->grid = copy;
        }
        plain ? plainStep(*world) : world->step();
        turns.push_back(snapshot(world->grid));
        turns.back().push_back(static_cast<std::int64_t>(world->lastCommands.size()));
    }
    return turns;
}

} // namespace

TEST(TurnSchedule, PlaysTheGameOfThePlainTurnOnRandomWorlds) {
    const std::string fast = "prey.reaction_time 1\npredator.reaction_time 1\npredator.sight 6\n"
                             "predator.hearing 4\nobstacle.blocks_los 1\n";
    const RandomWorld worlds[] = {
        {1, 30, 20, 15, 120, 40, fast + "prey.eatable 1\n"},
        {2, 12, 12, 30, 50, 20, fast + "prey.eatable 1\nobstacle.eatable 1\n"},
        {3, 70, 9, 10, 100, 60, fast + "prey.eatable 1\npredator.eatable 1\nobstacle.eatable 1\n"},
        {4, 25, 25, 60, 60, 40, "prey.reaction_time 2\npredator.reaction_time 3\nprey.eatable 1\n"
                                "predator.sight 30\npredator.hearing -1\n"},
        {5, 40, 40, 5, 0, 0, fast},
    };
    for (const RandomWorld& w : worlds)
        EXPECT_EQ(play(w, false), play(w, true)) << "seed " << w.seed;
}
