#include "core/Grid.h"

#include <boost/make_shared.hpp>
#include <cstdlib>
#include <utility>

Grid::Grid(std::int32_t columns, std::int32_t rows, std::int32_t obstacleDensity)
    : width(sizeFits(columns, rows) ? columns : 0), height(sizeFits(columns, rows) ? rows : 0),
      cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
      occupancy((cells.size() + 63) / 64), emptyCount(static_cast<std::int64_t>(cells.size())),
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
                put(boost::make_shared<Obstacle>(boost::make_shared<NothingAI>()), x, y);
        }
    }
}

void Grid::vacate(std::size_t cell) {
    if (!cells[cell])
        return;
    ++emptyCount;
    markOccupied(cell, false);
    kinds.left(cell);
    GameObjectPtr previous = std::move(cells[cell]);
    if (holdingLeavers)
        leavers.push_back(std::move(previous));
}

void Grid::fill(std::size_t cell, GameObjectPtr object, Kind kind) {
    --emptyCount;
    markOccupied(cell, true);
    kinds.arrived(cell, kind);
    cells[cell] = std::move(object);
}

void Grid::releaseLeavingHandles() {
    holdingLeavers = false;
    leavers.clear();
}

GameObjectPtr Grid::get(std::int32_t x, std::int32_t y) const { return cells[index(x, y)]; }

void Grid::put(GameObjectPtr object, std::int32_t x, std::int32_t y) {
    object->x = x;
    object->y = y;
    const Kind kind = kindOf(*object);
    const std::size_t cell = index(x, y);
    // Held while the cell changes: the object may be the very one that stands there.
    GameObjectPtr arriving = std::move(object);
    vacate(cell);
    fill(cell, std::move(arriving), kind);
}

bool Grid::placeAtRandom(GameObjectPtr object) {
    if (emptyCount <= 0)
        return false;
    for (;;) {
        const std::int32_t column = std::rand() % width;
        const std::int32_t row = std::rand() % height;
        if (!isSet(index(column, row))) {
            put(std::move(object), column, row);
            return true;
        }
    }
}

void Grid::move(std::int32_t x, std::int32_t y, const GameObjectPtr& object) {
    // Taken first: the handle given may be the very one that leaves its cell below.
    GameObject& moved = *object;
    const std::size_t from = index(moved.x, moved.y);
    const std::size_t to = index(x, y);
    // The mover's own handle goes straight to its new cell; it never leaves the
    // grid, and its kind is still counted.
    GameObjectPtr mover = std::move(cells[from]);
    if (mover) {
        ++emptyCount;
        markOccupied(from, false);
        if (from != to) {
            // Its bits go to the new cell after whatever stood there has left.
            vacate(to);
            kinds.moved(from, to);
        }
        --emptyCount;
        markOccupied(to, true);
        cells[to] = std::move(mover);
    } else {
        vacate(to);
    }
    moved.x = x;
    moved.y = y;
}

void Grid::remove(GameObjectPtr object) { remove(*object); }

void Grid::remove(const GameObject& object) {
    const std::size_t cell = index(object.x, object.y);
    if (cells[cell].get() == &object)
        vacate(cell);
}

std::vector<GameObjectPtr> Grid::objects() const {
    std::vector<GameObjectPtr> list;
    list.reserve(cells.size() - static_cast<std::size_t>(emptyCount));
    forEachOccupied([&](std::size_t cell) { list.push_back(cells[cell]); });
    return list;
}

std::vector<GameObject*> Grid::objectPointers() const {
    std::vector<GameObject*> list;
    objectPointers(list);
    return list;
}

void Grid::objectPointers(std::vector<GameObject*>& list) const {
    list.clear();
    list.reserve(cells.size() - static_cast<std::size_t>(emptyCount));
    forEachOccupied([&](std::size_t cell) { list.push_back(cells[cell].get()); });
}

void Grid::objectPointers(std::vector<GameObject*>& creatures,
                          std::vector<GameObject*>* obstacles) const {
    creatures.clear();
    if (obstacles != nullptr)
        obstacles->clear();
    for (std::size_t word = 0; word < occupancy.size(); ++word) {
        const std::uint64_t obstacleBits = kinds.word(word, kindBit(Kind::obstacle));
        const std::uint64_t listed = obstacles != nullptr ? occupancy[word] : occupancy[word] & ~obstacleBits;
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
