#include "behaviour/HuntingAI.h"

#include <algorithm>

#include "behaviour/Hearing.h"
#include "behaviour/LineOfSight.h"
#include "behaviour/MoveBy.h"
#include "core/PoolAllocator.h"
#include "core/PropertyQueries.h"
#include "core/World.h"

namespace {

std::int32_t sign(std::int64_t v) { return (v > 0) - (v < 0); }

bool isEatable(GameObject& object) { return queryProperty(object, "eatable") != 0; }

// Eats the first eatable side neighbour: left, right, above, below.
void eatNeighbour(const GameObject& predator) {
    const GameObjectPtr self = theWorld->grid.get(predator.x, predator.y);
    static constexpr std::int32_t probes[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& probe : probes) {
        if (GameObjectPtr food = eatableAt(self, probe[0], probe[1])) {
            World::issue(makePooled<Eat>(food));
            return;
        }
    }
}

// Steps towards the destination of the first prey move heard last turn. True
// when a move was heard, even if the step itself was blocked.
bool followHeardPrey(const GameObjectPtr& self) {
    const std::int32_t range = theWorld->config.getInt("predator.hearing");
    const std::optional<HeardMove> heard = firstHeardMove(self->x, self->y, range);
    if (!heard)
        return false;
    moveBy(self, sign(std::int64_t{heard->toX} - self->x), sign(std::int64_t{heard->toY} - self->y));
    return true;
}

// Steps towards the first eatable object in sight, scanning the sight square
// (cut to the grid) row by row from the top, each row from the left.
void chaseFirstSeen(const GameObjectPtr& self) {
    const std::int64_t range = theWorld->config.getInt("predator.sight");
    // A negative range sees no cell. It must stop here: the far edges of its
    // square (y - range past the last row) do not fit a row or column number.
    if (range < 0)
        return;
    const Grid& grid = theWorld->grid;
    const std::int32_t x = self->x;
    const std::int32_t y = self->y;
    const auto top = static_cast<std::int32_t>(std::max<std::int64_t>(0, y - range));
    const auto bottom = static_cast<std::int32_t>(std::min<std::int64_t>(grid.height - 1, y + range));
    const auto left = static_cast<std::int32_t>(std::max<std::int64_t>(0, x - range));
    const auto right = static_cast<std::int32_t>(std::min<std::int64_t>(grid.width - 1, x + range));
    for (std::int32_t row = top; row <= bottom; ++row) {
        for (std::int32_t column = left; column <= right; ++column) {
            if (!grid.occupied(column, row))
                continue;
            if (isEatable(*grid.at(column, row)) && hasLineOfSight(x, y, column, row)) {
                moveBy(self, sign(column - x), sign(row - y));
                return;
            }
        }
    }
}

} // namespace

GameObjectPtr eatableAt(GameObjectPtr creature, std::int32_t dx, std::int32_t dy) {
    const Grid& grid = theWorld->grid;
    const std::int64_t x = std::int64_t{creature->x} + dx;
    const std::int64_t y = std::int64_t{creature->y} + dy;
    if (!grid.contains(x, y))
        return GameObjectPtr();
    const auto column = static_cast<std::int32_t>(x);
    const auto row = static_cast<std::int32_t>(y);
    if (!grid.occupied(column, row))
        return GameObjectPtr();
    const GameObjectPtr& object = grid.at(column, row);
    return isEatable(*object) ? object : GameObjectPtr();
}

void HuntingAI::act(GameObjectPtr self) {
    if (!theWorld->grid.contains(self->x, self->y))
        return;
    eatNeighbour(*self);
    if (!followHeardPrey(self))
        chaseFirstSeen(self);
}
