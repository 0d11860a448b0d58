#include "behaviour/LineOfSight.h"

#include <cstdlib>
#include <utility>

#include "core/PropertyQueries.h"
#include "core/World.h"

bool blocksLineOfSight(std::int32_t x, std::int32_t y) {
    // Whether an object blocks sight is its kind's setting: the grid knows the
    // kind of each cell's object without reading the object.
    const Grid& grid = theWorld->grid;
    return grid.occupied(x, y) && kindSetting<"blocks_los">(grid.kindAt(x, y)) != 0;
}

namespace {

// The cells of a line, walked along its major axis from the end with the
// smaller major coordinate; the far end itself is not walked.
class SightLine {
public:
    SightLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
        : steep(std::abs(std::int64_t{y1} - y0) > std::abs(std::int64_t{x1} - x0)) {
        a0 = steep ? y0 : x0;
        b0 = steep ? x0 : y0;
        a1 = steep ? y1 : x1;
        b1 = steep ? x1 : y1;
        if (a0 > a1) {
            std::swap(a0, a1);
            std::swap(b0, b1);
        }
    }

    // False as soon as a walked cell blocks sight.
    bool isClear() const {
        const std::int64_t dMajor = std::int64_t{a1} - a0;
        const std::int64_t dMinor = std::abs(std::int64_t{b1} - b0);
        const std::int32_t bStep = b0 < b1 ? 1 : -1;
        std::int64_t error = dMajor / 2;
        std::int32_t b = b0;
        for (std::int32_t a = a0; a < a1; ++a) {
            if (steep ? blocksLineOfSight(b, a) : blocksLineOfSight(a, b))
                return false;
            // The minor coordinate moves only when the error drops below zero,
            // after the cell has been tested.
            error -= dMinor;
            if (error < 0) {
                b += bStep;
                error += dMajor;
            }
        }
        return true;
    }

private:
    bool steep;
    std::int32_t a0, b0, a1, b1;
};

} // namespace

bool hasLineOfSight(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    if (x0 == x1 && y0 == y1)
        return true;
    if (blocksLineOfSight(x1, y1))
        return false;
    return SightLine(x0, y0, x1, y1).isClear();
}
