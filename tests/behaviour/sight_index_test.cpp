// Sight, the line of sight and eating find the eatable and the blocking
// through the grid's kind bits; they must answer as the plain rules do,
// asking every object in their way.
#include <gtest/gtest.h>

#include <string>

#include "behaviour/HuntingAI.h"
#include "behaviour/LineOfSight.h"
#include "behaviour/SightScan.h"
#include "core/PropertyQueries.h"
#include "support/TestWorld.h"

namespace {

// Sight as the rule states it: every cell of the square, row by row from the top.
std::optional<SeenCell> scanEveryCell(std::int32_t x, std::int32_t y, std::int64_t range) {
    const Grid& grid = theWorld->grid;
    for (std::int64_t row = std::max<std::int64_t>(0, y - range);
         row <= std::min<std::int64_t>(grid.height - 1, y + range); ++row) {
        for (std::int64_t column = std::max<std::int64_t>(0, x - range);
             column <= std::min<std::int64_t>(grid.width - 1, x + range); ++column) {
            const auto c = static_cast<std::int32_t>(column), r = static_cast<std::int32_t>(row);
            const GameObjectPtr object = grid.get(c, r);
            if (object && queryProperty(object, "eatable") != 0 && hasLineOfSight(x, y, c, r))
                return SeenCell{c, r};
        }
    }
    return std::nullopt;
}

std::string describe(const std::optional<SeenCell>& cell) {
    return cell ? std::to_string(cell->column) + "," + std::to_string(cell->row) : "nothing";
}

} // namespace

TEST(SightIndex, SeesBlocksAndEatsWhatAskingEveryObjectWould) {
    const std::string eatable[] = {"prey.eatable 1\n", "obstacle.eatable 1\n",
                                   "predator.eatable 1\nprey.eatable 1\n", "",
                                   "prey.eatable 1\nobstacle.eatable 1\npredator.eatable 1\n"};
    unsigned seed = 1;
    for (const std::string& kinds : eatable) {
        std::srand(seed++);
        TestWorld world("grid.x 131\ngrid.y 23\nobstacle.density 25\nprey.number 150\n"
                        "predator.number 200\nobstacle.blocks_los 1\nprey.blocks_los 1\n" + kinds);
        for (std::int32_t y = 0; y < world->grid.height; ++y) {
            for (std::int32_t x = 0; x < world->grid.width; ++x) {
                const GameObjectPtr object = world->grid.get(x, y);
                ASSERT_EQ(blocksLineOfSight(x, y), object && queryProperty(object, "blocks_los") != 0);
            }
        }
        world->grid.forEachOccupiedCell([&](std::int32_t x, std::int32_t y, const GameObjectPtr& self) {
            for (std::int64_t range : {0, 1, 3, 8, 70, 2147483647}) {
                ASSERT_EQ(describe(firstEatableInSight(x, y, range)),
                          describe(scanEveryCell(x, y, range)))
                    << kinds << "at " << x << "," << y << " range " << range;
            }
            for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                const std::int64_t nx = std::int64_t{x} + dx, ny = std::int64_t{y} + dy;
                const GameObjectPtr neighbour = world->grid.contains(nx, ny)
                    ? world->grid.get(static_cast<std::int32_t>(nx), static_cast<std::int32_t>(ny))
                    : GameObjectPtr();
                const bool eats = neighbour && queryProperty(neighbour, "eatable") != 0;
                ASSERT_EQ(eatableAt(self, dx, dy), eats ? neighbour : GameObjectPtr());
            }
        });
    }
}
