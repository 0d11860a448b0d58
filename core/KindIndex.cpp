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
    : cellsOf(other.cellsOf), obstacleChanges(other.obstacleChanges), counts(other.counts) {}

KindIndex::KindIndex(KindIndex&& other) noexcept
    : cellsOf(std::move(other.cellsOf)), obstacleChanges(other.obstacleChanges),
      counts(other.counts) {}

KindIndex& KindIndex::operator=(const KindIndex& other) {
    cellsOf = other.cellsOf;
    counts = other.counts;
    name = newName();
    return *this;
}

KindIndex& KindIndex::operator=(KindIndex&& other) noexcept {
    cellsOf = std::move(other.cellsOf);
    counts = other.counts;
    name = newName();
    return *this;
}

KindIndex::KindIndex(std::size_t cells) {
    for (auto& bits : cellsOf)
        bits.assign((cells + 63) / 64, 0);
}

std::uint64_t& KindIndex::counter(Kind kind) {
    switch (kind) {
    case Kind::predator:
        return counts.predators;
    case Kind::prey:
        return counts.prey;
    case Kind::obstacle:
        break;
    }
    return counts.obstacles;
}

void KindIndex::arrived(std::size_t cell, Kind kind) {
    wordOf(kind, cell) |= bit(cell);
    ++counter(kind);
}

void KindIndex::left(std::size_t cell) {
    const Kind kind = kindAt(cell);
    wordOf(kind, cell) &= ~bit(cell);
    --counter(kind);
}

void KindIndex::moved(std::size_t from, std::size_t to) {
    const Kind kind = kindAt(from);
    wordOf(kind, from) &= ~bit(from);
    wordOf(kind, to) |= bit(to);
}

Kind KindIndex::kindAt(std::size_t cell) const {
    for (std::size_t kind = 0; kind + 1 < kindCount; ++kind) {
        if (cellsOf[kind][cell / 64] & bit(cell))
            return static_cast<Kind>(kind);
    }
    return static_cast<Kind>(kindCount - 1);
}
