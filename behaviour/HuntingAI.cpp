#include "behaviour/HuntingAI.h"

#include "behaviour/Hearing.h"
#include "behaviour/LineOfSight.h"
#include "behaviour/MoveBy.h"
#include "behaviour/SightScan.h"
#include "core/PoolAllocator.h"
#include "core/PropertyQueries.h"
#include "core/World.h"

namespace {

std::int32_t sign(std::int64_t v) { return (v > 0) - (v < 0); }

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

// Steps towards the first eatable object in sight.
void chaseFirstSeen(const GameObjectPtr& self) {
    const std::int64_t range = theWorld->config.getInt("predator.sight");
    // A negative range sees no cell. It must stop here: the far edges of its
    // square (y - range past the last row) do not fit a row or column number.
    if (range < 0)
        return;
    const std::optional<SeenCell> seen = firstEatableInSight(self->x, self->y, range);
    if (seen)
        moveBy(self, sign(std::int64_t{seen->column} - self->x),
               sign(std::int64_t{seen->row} - self->y));
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
    // Whether an object is eatable is its kind's setting: the grid knows the
    // kind of each cell's object without reading the object.
    if (!grid.occupied(column, row) || kindSetting<"eatable">(grid.kindAt(column, row)) == 0)
        return GameObjectPtr();
    return grid.at(column, row);
}

void HuntingAI::act(GameObjectPtr self) {
    if (!theWorld->grid.contains(self->x, self->y))
        return;
    eatNeighbour(*self);
    if (!followHeardPrey(self))
        chaseFirstSeen(self);
}
