#include "behaviour/SightScan.h"

#include <algorithm>
#include <vector>

#include "behaviour/LineOfSight.h"
#include "core/Prefetch.h"
#include "core/PropertyQueries.h"
#include "core/World.h"

// A wide sight square holds hundreds of objects, each asked "eatable" through
// its own heap object, and the rows of the grid lie far apart in memory. So the
// scan asks for the cells of the next row while it works on one, and for all the
// objects of a row before it examines the first: the waits for memory overlap
// instead of adding up. Which objects are examined, and in which order, is still
// exactly the row-major order of the square.

namespace {

struct Candidate {
    std::int32_t column;
    GameObject* object;
};

class SightScan {
public:
    SightScan(std::int32_t viewerX, std::int32_t viewerY, std::int64_t range)
        : grid(theWorld->grid), x(viewerX), y(viewerY),
          top(static_cast<std::int32_t>(std::max<std::int64_t>(0, y - range))),
          bottom(static_cast<std::int32_t>(std::min<std::int64_t>(grid.height - 1, y + range))),
          left(static_cast<std::int32_t>(std::max<std::int64_t>(0, x - range))),
          right(static_cast<std::int32_t>(std::min<std::int64_t>(grid.width - 1, x + range))) {}

    std::optional<SeenCell> firstSeen() {
        for (std::int32_t row = top; row <= bottom; ++row) {
            if (row < bottom)
                askForCells(row + 1);
            gather(row);
            for (const Candidate& candidate : candidates) {
                if (queryProperty<"eatable">(*candidate.object) != 0 &&
                    hasLineOfSight(x, y, candidate.column, row))
                    return SeenCell{candidate.column, row};
            }
        }
        return std::nullopt;
    }

private:
    void askForCells(std::int32_t row) const {
        grid.forEachOccupiedInRow(row, left, right,
                                  [&](std::int32_t column) { prefetch(&grid.at(column, row)); });
    }

    void gather(std::int32_t row) {
        candidates.clear();
        grid.forEachOccupiedInRow(row, left, right, [&](std::int32_t column) {
            GameObject* object = grid.at(column, row).get();
            prefetch(object);
            candidates.push_back({column, object});
        });
    }

    const Grid& grid;
    const std::int32_t x;
    const std::int32_t y;
    const std::int32_t top;
    const std::int32_t bottom;
    const std::int32_t left;
    const std::int32_t right;
    // Scratch space for one row; it holds nothing from one row to the next.
    std::vector<Candidate> candidates;
};

} // namespace

std::optional<SeenCell> firstEatableInSight(std::int32_t x, std::int32_t y, std::int64_t range) {
    return SightScan(x, y, range).firstSeen();
}
