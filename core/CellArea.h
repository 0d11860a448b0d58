#pragma once
// A rectangle of cells, both corners included; it may reach past the grid. The
// corners are 64-bit, so that a square of any 32-bit range around any cell fits.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/Grid.h"

struct CellArea {
    // The square of cells at most `range` cells from (x, y), per axis.
    static CellArea around(std::int64_t x, std::int64_t y, std::int64_t range) {
        return {x - range, y - range, x + range, y + range};
    }
    static CellArea everywhere() {
        constexpr std::int64_t beyond = std::numeric_limits<std::int64_t>::max();
        return {-beyond, -beyond, beyond, beyond};
    }

    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
    bool contains(std::int64_t x, std::int64_t y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    // The part that lies on the grid. Unless it is empty (left past right, or
    // top past bottom), its corners are cells of the grid.
    CellArea cutTo(const Grid& grid) const {
        return {std::max<std::int64_t>(0, left), std::max<std::int64_t>(0, top),
                std::min<std::int64_t>(grid.width - 1, right),
                std::min<std::int64_t>(grid.height - 1, bottom)};
    }
};
