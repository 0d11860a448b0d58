#include <gtest/gtest.h>

#include <tuple>

#include "behaviour/Hearing.h"
#include "support/TestWorld.h"

namespace {

bool within(long long v, long long c, long long r) { return v >= c - r && v <= c + r; }

// Hearing as the rule states it: walk every command of last turn in order.
std::optional<HeardMove> walkEveryCommand(int x, int y, int range) {
    if (range < 0)
        return std::nullopt;
    for (const CommandPtr& command : theWorld->lastCommands) {
        const auto* m = dynamic_cast<const Movement*>(command.get());
        if (!m || !dynamic_cast<const Prey*>(m->subject.get()))
            continue;
        if ((within(m->toX, x, range) && within(m->toY, y, range)) ||
            (within(m->fromX, x, range) && within(m->fromY, y, range)))
            return HeardMove{m->fromX, m->fromY, m->toX, m->toY};
    }
    return std::nullopt;
}

std::string describe(const std::optional<HeardMove>& move) {
    if (!move)
        return "nothing";
    return std::to_string(move->fromX) + "," + std::to_string(move->fromY) + "->" +
           std::to_string(move->toX) + "," + std::to_string(move->toY);
}

} // namespace

TEST(HearingIndex, FindsTheSameMoveAsWalkingEveryCommand) {
    TestWorld world("grid.x 60\ngrid.y 40\nobstacle.density 10\nprey.number 500\n"
                    "predator.number 60\nprey.reaction_time 1\npredator.reaction_time 2\n"
                    "prey.eatable 1\nobstacle.blocks_los 1\npredator.hearing 3\npredator.sight 4\n");
    for (int turn = 0; turn < 6; ++turn) {
        world->step();
        ASSERT_GT(world->lastCommands.size(), 64u);
        for (int range : {-1, 0, 1, 2, 5, 17, 2147483647}) {
            for (int y = 0; y < 40; y += 3) {
                for (int x = 0; x < 60; x += 2) {
                    ASSERT_EQ(describe(firstHeardMove(x, y, range)),
                              describe(walkEveryCommand(x, y, range)))
                        << "listener " << x << "," << y << " range " << range;
                }
            }
        }
    }
}

// A list changed outside a turn is seen once the World is told of the change;
// the index then answers for the new list, whatever its shape.
TEST(HearingIndex, AnswersForALastCommandsListChangedByHandOnceTold) {
    TestWorld world("grid.x 60\ngrid.y 40\nprey.number 400\nprey.reaction_time 1\n");
    world->step();
    ASSERT_GT(world->lastCommands.size(), 64u);
    ASSERT_EQ(describe(firstHeardMove(0, 0, 0)), "nothing");
    const GameObjectPtr prey = boost::make_shared<Prey>(boost::make_shared<StrollingAI>());
    // Replaced in place: the list keeps its storage, its size and its ends.
    world->lastCommands[5] = boost::make_shared<Movement>(prey, 1, 0, 0, 0);
    world->lastCommandsChanged();
    EXPECT_EQ(describe(firstHeardMove(0, 0, 0)), "1,0->0,0");
    EXPECT_EQ(describe(firstHeardMove(0, 0, 0)), describe(walkEveryCommand(0, 0, 0)));
    // Out of row order, and a move longer than a step.
    world->lastCommands.insert(world->lastCommands.begin(),
                               boost::make_shared<Movement>(prey, 59, 39, 5, 5));
    world->lastCommandsChanged();
    for (const auto& [x, y, range] : {std::tuple{5, 5, 0}, {0, 0, 100}, {30, 20, 3}})
        EXPECT_EQ(describe(firstHeardMove(x, y, range)), describe(walkEveryCommand(x, y, range)));
    EXPECT_EQ(describe(firstHeardMove(5, 5, 0)), "59,39->5,5");
}
