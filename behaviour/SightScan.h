#pragma once
// The sight phase of hunting: the cell that a predator at (x, y) with sight
// range S chases. The square of range S around it, cut to the grid, is scanned
// row by row from the top, each row from the left; the first cell whose object
// is eatable and in the predator's line of sight wins. Candidates are not
// compared by distance.
#include <cstdint>
#include <optional>

struct SeenCell {
    std::int32_t column;
    std::int32_t row;
};

// Nothing when no cell of the square qualifies. The range must not be negative.
std::optional<SeenCell> firstEatableInSight(std::int32_t x, std::int32_t y, std::int64_t range);
