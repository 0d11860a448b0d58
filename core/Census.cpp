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

} // namespace

Census takeCensus(const Grid& grid) { return grid.census(); }

Census countByWalking(const Grid& grid) {
    CountingVisitor visitor;
    grid.forEachOccupiedCell(
        [&](std::int32_t, std::int32_t, const GameObjectPtr& object) { object->accept(visitor); });
    return visitor.census;
}
