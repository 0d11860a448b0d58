#include "core/Grid.h"

#include <boost/make_shared.hpp>
#include <cstdlib>
#include <utility>

Grid::Grid(std::int32_t columns, std::int32_t rows, std::int32_t obstacleDensity)
    : width(sizeFits(columns, rows) ? columns : 0), height(sizeFits(columns, rows) ? rows : 0),
      cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
      occupancy((cells.size() + 63) / 64), emptyCount(static_cast<std::int64_t>(cells.size())) {
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

void Grid::store(std::size_t cell, GameObjectPtr object) {
    emptyCount += (cells[cell] ? 1 : 0) - (object ? 1 : 0);
    markOccupied(cell, object != nullptr);
    GameObjectPtr previous = std::exchange(cells[cell], std::move(object));
    if (!previous)
        return;
    kinds.left(*previous);
    if (holdingLeavers)
        leavers.push_back(std::move(previous));
}

void Grid::releaseLeavingHandles() {
    holdingLeavers = false;
    leavers.clear();
}

GameObjectPtr Grid::get(std::int32_t x, std::int32_t y) const { return cells[index(x, y)]; }

void Grid::put(GameObjectPtr object, std::int32_t x, std::int32_t y) {
    object->x = x;
    object->y = y;
    kinds.arrived(*object);
    store(index(x, y), std::move(object));
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
    // The mover's own handle goes straight to its new cell; it never leaves the grid.
    GameObjectPtr mover = std::move(cells[from]);
    markOccupied(from, false);
    if (mover)
        ++emptyCount;
    store(index(x, y), std::move(mover));
    moved.x = x;
    moved.y = y;
}

void Grid::remove(GameObjectPtr object) { remove(*object); }

void Grid::remove(const GameObject& object) {
    const std::size_t cell = index(object.x, object.y);
    if (cells[cell].get() == &object)
        store(cell, GameObjectPtr());
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
