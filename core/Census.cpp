#include "core/Census.h"

#include "core/GameObject.h"
#include "core/Grid.h"

namespace {

class CountingVisitor : public GameObjectVisitor {
public:
    void visit(Predator&) override { ++census.predators; }
    void visit(Prey&) override { ++census.prey; }
    void visit(Obstacle&) override { ++census.obstacles; }

    Census census;
};

// Counts the kinds in one row.
void countRow(const Grid& grid, std::int32_t row, CountingVisitor& visitor) {
    grid.forEachOccupiedInRow(row, 0, grid.width - 1,
                              [&](std::int32_t column) { grid.at(column, row)->accept(visitor); });
}

} // namespace

Census takeCensus(const Grid& grid) {
    CountingVisitor visitor;
    for (std::int32_t row = 0; row < grid.height; ++row)
        countRow(grid, row, visitor);
    return visitor.census;
}

bool PreySearch::anyPrey(const Grid& grid) {
    if (grid.width <= 0 || grid.height <= 0)
        return false;
    const std::int32_t first = hintRow > 0 && hintRow < grid.height ? hintRow - 1 : 0;
    for (std::int32_t i = 0; i < grid.height; ++i) {
        const std::int32_t row = (first + i) % grid.height;
        CountingVisitor visitor;
        countRow(grid, row, visitor);
        if (visitor.census.prey > 0) {
            hintRow = row;
            return true;
        }
    }
    return false;
}
