#include "core/Grid.h"

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/PoolAllocator.h"

namespace {

[[noreturn]] void broken(const std::string& what) {
    throw std::logic_error("the grid's copies of its cells disagree: " + what);
}

std::string cellName(std::int64_t x, std::int64_t y) {
    // Appended piece by piece: GCC 12 warns of an overlap that cannot happen in
    // "(" + std::to_string(x) (its bug 105651).
    std::string name = "(";
    name.append(std::to_string(x)).append(", ").append(std::to_string(y)).append(")");
    return name;
}

// The kinds' bits of each word of 64 cells are apart and together the occupied
// cells' (the occupancy is their union), and no cell past the last is occupied.
void checkKindsBits(const KindIndex& kinds, std::size_t cells) {
    for (std::size_t word = 0; word < kinds.words(); ++word) {
        const std::uint64_t predators = kinds.word(word, kindBit(Kind::predator));
        const std::uint64_t prey = kinds.word(word, kindBit(Kind::prey));
        const std::uint64_t obstacles = kinds.word(word, kindBit(Kind::obstacle));
        const bool apart = ((predators & prey) | (predators & obstacles) | (prey & obstacles)) == 0;
        if ((predators | prey | obstacles) != kinds.word(word, allKinds) || !apart)
            broken("the kinds' bits of cells " + std::to_string(word * 64) + " on are not a "
                   "partition of their occupancy bits");
    }
    if (cells % 64 != 0 && kinds.word(kinds.words() - 1, allKinds) >> (cells % 64) != 0)
        broken("cells past the last are marked occupied");
}

} // namespace

Grid::Grid(std::int32_t columns, std::int32_t rows, std::int32_t obstacleDensity)
    : width(sizeFits(columns, rows) ? columns : 0), height(sizeFits(columns, rows) ? rows : 0),
      cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
      kinds(cells.size()) {
    fillWithObstacles(obstacleDensity);
}

bool Grid::sizeFits(std::int64_t columns, std::int64_t rows) {
    return columns >= 0 && rows >= 0 && columns * rows <= maxCells;
}

void Grid::fillWithObstacles(std::int32_t density) {
    // A grid without columns may still claim billions of rows: nothing to walk.
    if (cells.empty())
        return;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            if (std::rand() % 100 < density)
                put(makeObject<Obstacle>(makeObject<NothingAI>()), x, y);
        }
    }
}

inline void Grid::give(std::int32_t x, std::int32_t y, GameObjectPtr&& object, Kind kind) {
    const std::size_t cell = index(x, y);
    kinds.arrived(cell, kind);
    object->x = x;
    object->y = y;
    cells[cell].swap(object); // the cell was empty: the handle given is left empty
}

inline Grid::Taken Grid::take(std::int32_t x, std::int32_t y) {
    const std::size_t cell = index(x, y);
    const Kind kind = kinds.left(cell);
    return {std::move(cells[cell]), kind};
}

inline void Grid::vacate(std::int32_t x, std::int32_t y) {
    if (!occupied(x, y))
        return;
    GameObjectPtr previous = take(x, y).object;
    if (holdingLeavers)
        leavers.push_back(std::move(previous));
}

void Grid::releaseLeavingHandles() {
    holdingLeavers = false;
    leavers.clear();
}

GameObjectPtr Grid::get(std::int32_t x, std::int32_t y) const { return cells[index(x, y)]; }

void Grid::put(GameObjectPtr object, std::int32_t x, std::int32_t y) {
    const Kind kind = kindOf(*object);
    // The object may be the very one that stands there: it is held meanwhile.
    vacate(x, y);
    give(x, y, std::move(object), kind);
}

bool Grid::placeAtRandom(GameObjectPtr object) {
    if (emptyCells() <= 0)
        return false;
    for (;;) {
        const std::int32_t column = std::rand() % width;
        const std::int32_t row = std::rand() % height;
        if (!occupied(column, row)) {
            put(std::move(object), column, row);
            return true;
        }
    }
}

void Grid::move(std::int32_t x, std::int32_t y, const GameObjectPtr& object) {
    // Taken first: the handle given may be the very one that leaves its cell below.
    GameObject& moved = *object;
    // The recorded cell's handle goes straight to (x, y), after whatever stood
    // there has left: it never leaves the grid, so it is not held as a leaver.
    // In a turn that handle is the mover's own. Commands made by hand may find
    // the cell empty, and then (x, y) is only emptied.
    if (occupied(moved.x, moved.y)) {
        Taken mover = take(moved.x, moved.y);
        vacate(x, y);
        give(x, y, std::move(mover.object), mover.kind);
    } else {
        vacate(x, y);
    }
    // Already so when it stood in its cell; an object off the grid records the
    // destination all the same.
    moved.x = x;
    moved.y = y;
}

void Grid::remove(GameObjectPtr object) { remove(*object); }

void Grid::remove(const GameObject& object) {
    if (cells[index(object.x, object.y)].get() == &object)
        vacate(object.x, object.y);
}

std::vector<GameObjectPtr> Grid::objects() const {
    std::vector<GameObjectPtr> list;
    list.reserve(cells.size() - static_cast<std::size_t>(emptyCells()));
    forEachOccupied([&](std::size_t cell) { list.push_back(cells[cell]); });
    return list;
}

void Grid::objectPointers(std::vector<GameObject*>& creatures,
                          std::vector<GameObject*>* obstacles) const {
    creatures.clear();
    if (obstacles != nullptr)
        obstacles->clear();
    for (std::size_t word = 0; word < kinds.words(); ++word) {
        const std::uint64_t obstacleBits = kinds.word(word, kindBit(Kind::obstacle));
        const std::uint64_t occupied = kinds.word(word, allKinds);
        const std::uint64_t listed = obstacles != nullptr ? occupied : occupied & ~obstacleBits;
        for (std::uint64_t bits = listed; bits != 0; bits &= bits - 1) {
            const auto bit = static_cast<std::size_t>(std::countr_zero(bits));
            GameObject* object = cells[word * 64 + bit].get();
            if ((obstacleBits >> bit) & 1U)
                obstacles->push_back(object);
            else
                creatures.push_back(object);
        }
    }
}

void Grid::checkInvariants() const {
    checkKindsBits(kinds, cells.size());
    std::array<std::uint64_t, 3> walked{}; // by kind
    std::int64_t empty = 0;
    std::size_t cell = 0;
    // A grid without columns may still claim billions of rows: nothing to walk.
    const std::int32_t rows = cells.empty() ? 0 : height;
    for (std::int32_t y = 0; y < rows; ++y) {
        for (std::int32_t x = 0; x < width; ++x, ++cell) {
            const GameObjectPtr& object = cells[cell];
            if (static_cast<bool>(object) != kinds.occupied(cell))
                broken("cell " + cellName(x, y) +
                       (object ? " holds an object, but its bit says empty" : " is empty, but its bit says occupied"));
            if (!object) {
                ++empty;
                continue;
            }
            if (object->x != x || object->y != y)
                broken("cell " + cellName(x, y) + " holds an object that records " +
                       cellName(object->x, object->y));
            const Kind kind = kindOf(*object);
            if (kinds.kindAt(cell) != kind)
                broken("cell " + cellName(x, y) + " holds an object of another kind than its bits say");
            ++walked[static_cast<std::size_t>(kind)];
        }
    }
    if (!(Census{walked[2], walked[1], walked[0]} == kinds.census()))
        broken("the census does not count the objects the cells hold");
    if (empty != emptyCells())
        broken("the empty count is not the cells less the census");
}
