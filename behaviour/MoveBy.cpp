#include "behaviour/MoveBy.h"

#include "core/GameObject.h"
#include "core/PoolAllocator.h"
#include "core/World.h"

void moveBy(GameObjectPtr creature, std::int32_t dx, std::int32_t dy) {
    const Grid& grid = theWorld->grid;
    const std::int32_t x = creature->x;
    const std::int32_t y = creature->y;
    if (!grid.contains(x, y))
        return;
    // A step off the grid is clamped per axis: off an edge it runs along the
    // edge, off a corner it is no step at all.
    if (!grid.contains(std::int64_t{x} + dx, y))
        dx = 0;
    if (!grid.contains(x, std::int64_t{y} + dy))
        dy = 0;
    // The test sees the board as it stood at the start of the turn; a creature's
    // own cell is never empty, so a step of (0, 0) issues nothing.
    if (grid.occupied(x + dx, y + dy))
        return;
    World::issue(makePooled<Movement>(grid.get(x, y), x, y, x + dx, y + dy));
}
