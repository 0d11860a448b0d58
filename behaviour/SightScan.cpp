#include "behaviour/SightScan.h"

#include "behaviour/LineOfSight.h"
#include "core/CellArea.h"
#include "core/PropertyQueries.h"
#include "core/World.h"

std::optional<SeenCell> firstEatableInSight(std::int32_t x, std::int32_t y, std::int64_t range) {
    const Grid& grid = theWorld->grid;
    // With a range of 0 or more, every corner of the square cut to the grid lies
    // between (x, y) and an edge of the grid: it fits a column or row number.
    const CellArea square = CellArea::around(x, y, range).cutTo(grid);
    const auto top = static_cast<std::int32_t>(square.top);
    const auto bottom = static_cast<std::int32_t>(square.bottom);
    const auto left = static_cast<std::int32_t>(square.left);
    const auto right = static_cast<std::int32_t>(square.right);
    // Only occupied cells can hold something eatable: the grid names them row by row.
    for (std::int32_t row = top; row <= bottom; ++row) {
        std::optional<SeenCell> seen;
        grid.forEachOccupiedInRow(row, left, right, [&](std::int32_t column) {
            if (!seen && queryProperty<"eatable">(*grid.at(column, row)) != 0 &&
                hasLineOfSight(x, y, column, row))
                seen = SeenCell{column, row};
        });
        if (seen)
            return seen;
    }
    return std::nullopt;
}
