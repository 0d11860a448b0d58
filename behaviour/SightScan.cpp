#include "behaviour/SightScan.h"

#include <algorithm>

#include "behaviour/LineOfSight.h"
#include "core/PropertyQueries.h"
#include "core/World.h"

namespace {

// A square cut to the grid: top to bottom rows, left to right columns.
struct SightSquare {
    std::int32_t top;
    std::int32_t bottom;
    std::int32_t left;
    std::int32_t right;
};

SightSquare cutToGrid(std::int32_t x, std::int32_t y, std::int64_t range, const Grid& grid) {
    return {static_cast<std::int32_t>(std::max<std::int64_t>(0, y - range)),
            static_cast<std::int32_t>(std::min<std::int64_t>(grid.height - 1, y + range)),
            static_cast<std::int32_t>(std::max<std::int64_t>(0, x - range)),
            static_cast<std::int32_t>(std::min<std::int64_t>(grid.width - 1, x + range))};
}

} // namespace

std::optional<SeenCell> firstEatableInSight(std::int32_t x, std::int32_t y, std::int64_t range) {
    const Grid& grid = theWorld->grid;
    const SightSquare square = cutToGrid(x, y, range, grid);
    // Only occupied cells can hold something eatable: the grid names them row by row.
    for (std::int32_t row = square.top; row <= square.bottom; ++row) {
        std::optional<SeenCell> seen;
        grid.forEachOccupiedInRow(row, square.left, square.right, [&](std::int32_t column) {
            if (!seen && queryProperty<"eatable">(*grid.at(column, row)) != 0 &&
                hasLineOfSight(x, y, column, row))
                seen = SeenCell{column, row};
        });
        if (seen)
            return seen;
    }
    return std::nullopt;
}
