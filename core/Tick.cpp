#include "core/Tick.h"

#include <climits>

#include "core/PropertyQueries.h"
#include "core/World.h"

namespace {

// The counter after one more tick. The counter of a creature that never acts
// stops at INT_MAX instead of overflowing; it can then never wrap round to a
// positive reaction time.
std::int32_t countedOnce(std::int32_t counter) { return counter < INT_MAX ? counter + 1 : counter; }

std::int32_t reactionTimeOf(GameObject& object) {
    GetReactionTime reactionTime;
    object.accept(reactionTime);
    return reactionTime.value;
}

} // namespace

void tickObject(GameObject& object) {
    object.turnCounter = countedOnce(object.turnCounter);
    if (object.turnCounter != reactionTimeOf(object))
        return;
    const Grid& grid = theWorld->grid;
    if (grid.contains(object.x, object.y))
        object.ai->act(grid.get(object.x, object.y));
    object.turnCounter = 0;
}

bool countObstacleTick(GameObject& obstacle) {
    const std::int32_t counted = countedOnce(obstacle.turnCounter);
    if (counted == obstacleReactionTime)
        return false;
    obstacle.turnCounter = counted;
    return true;
}
