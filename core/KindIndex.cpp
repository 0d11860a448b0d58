#include "core/KindIndex.h"

#include <atomic>
#include <utility>

#include "core/GameObject.h"

namespace {

class KindOf final : public GameObjectVisitor {
public:
    void visit(Predator&) override { kind = Kind::predator; }
    void visit(Prey&) override { kind = Kind::prey; }
    void visit(Obstacle&) override { kind = Kind::obstacle; }

    Kind kind = Kind::obstacle;
};

} // namespace

Kind kindOf(GameObject& object) {
    KindOf visitor;
    object.accept(visitor);
    return visitor.kind;
}

std::uint64_t KindIndex::newName() {
    static std::atomic<std::uint64_t> names{0};
    return ++names;
}

KindIndex::KindIndex(const KindIndex& other)
    : occupancy(other.occupancy), cellsOf(other.cellsOf),
      obstacleChanges(other.obstacleChanges), counts(other.counts) {}

KindIndex::KindIndex(KindIndex&& other) noexcept
    : occupancy(std::move(other.occupancy)), cellsOf(std::move(other.cellsOf)),
      obstacleChanges(other.obstacleChanges), counts(other.counts) {}

KindIndex& KindIndex::operator=(const KindIndex& other) {
    occupancy = other.occupancy;
    cellsOf = other.cellsOf;
    counts = other.counts;
    name = newName();
    return *this;
}

KindIndex& KindIndex::operator=(KindIndex&& other) noexcept {
    occupancy = std::move(other.occupancy);
    cellsOf = std::move(other.cellsOf);
    counts = other.counts;
    name = newName();
    return *this;
}

KindIndex::KindIndex(std::size_t cells) : occupancy((cells + 63) / 64) {
    for (auto& bits : cellsOf)
        bits.assign(occupancy.size(), 0);
}
