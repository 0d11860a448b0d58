#pragma once
// The board: a rectangle of cells, each empty or holding exactly one object.
// Cell (x, y) is column x, row y; every listing of cells is row-major. A cell
// holds a share of its object, and the object records the cell in its x and y.
//
// What a cell holds is written down in several places: its handle, its bits and
// the census in the kinds' index (core/KindIndex.h), and the object's own x and
// y. Every change of a cell goes through give and take (below), which change
// them all together; checkInvariants proves that they agree.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/GameObject.h"
#include "core/Handles.h"
#include "core/HugePageMemory.h"
#include "core/KindIndex.h"

class Grid {
public:
    // The most cells a grid may have: a turn's moves are counted per row in 32
    // bits (MoveIndex, for hearing), and the cell array's size in bytes must fit the
    // address space. A larger or negative size gives a grid of 0 x 0 cells, which
    // the front ends refuse with a message. Below it, what limits a world is the
    // memory it needs (core/MemoryNeed.h).
    static constexpr std::int64_t maxCells = std::min<std::int64_t>(
        std::numeric_limits<std::uint32_t>::max(),
        static_cast<std::int64_t>(std::numeric_limits<std::ptrdiff_t>::max() /
                                  static_cast<std::ptrdiff_t>(sizeof(GameObjectPtr))));

    // Builds the cells and scatters obstacles: one rand() draw per cell, row by
    // row, and an obstacle where the draw modulo 100 is below the density.
    Grid(std::int32_t width, std::int32_t height, std::int32_t obstacleDensity);

    // True when a grid of this size can be built (both sides at least 0 and at
    // most maxCells cells in all).
    static bool sizeFits(std::int64_t width, std::int64_t height);

    GameObjectPtr get(std::int32_t x, std::int32_t y) const;
    void put(GameObjectPtr object, std::int32_t x, std::int32_t y);
    // Puts the object into a random empty cell, two draws (column, row) per try.
    // Returns false, making no draw, when the grid has no empty cell.
    bool placeAtRandom(GameObjectPtr object);
    // Moves the object from its recorded cell to (x, y); whatever stood there
    // before is dropped from the grid. The handle is only looked at, not copied:
    // moving an object changes no owner of it but the two cells.
    void move(std::int32_t x, std::int32_t y, const GameObjectPtr& object);
    // Empties the object's recorded cell if that cell still holds this very object.
    void remove(GameObjectPtr object);
    void remove(const GameObject& object);
    // Every occupied cell's handle, in row-major order.
    std::vector<GameObjectPtr> objects() const;
    // The creatures as plain pointers in row-major order, for a turn, written over
    // `creatures`; with `obstacles`, the obstacles too, in row-major order,
    // written over it. One walk of the cells lists both. Copying every handle
    // would touch every object twice more per turn: a turn holds the handles
    // that leave the grid instead (below), which keeps each listed object alive
    // as long.
    void objectPointers(std::vector<GameObject*>& creatures,
                        std::vector<GameObject*>* obstacles) const;

    // From now on a handle that leaves a cell (an object dropped by a move onto
    // its cell, or removed) is kept until releaseLeavingHandles.
    void holdLeavingHandles() { holdingLeavers = true; }
    void releaseLeavingHandles();

    // The handle in a cell without copying it; for scans that only look.
    const GameObjectPtr& at(std::int32_t x, std::int32_t y) const { return cells[index(x, y)]; }
    // Whether the cell holds an object, from one bit per cell: scans over many
    // cells (the turn's listing, sight, the test before a step) then stay in
    // cache and read the handles of occupied cells only.
    bool occupied(std::int32_t x, std::int32_t y) const { return kinds.occupied(index(x, y)); }
    // Calls visit(column, kind) for every cell of the row from column left to
    // column right (both inside the grid), from the left, whose object is of a
    // kind in `wanted`. The set is read again at each word of 64 cells, so a
    // visit may narrow it; a cell of a kind dropped meanwhile may still be visited.
    template <class Visit>
    void forEachOfKindsInRow(std::int32_t row, std::int32_t left, std::int32_t right,
                             const KindSet& wanted, Visit visit) const {
        const std::size_t rowStart = index(0, row);
        const auto bitsOf = [&](std::size_t word) { return kinds.word(word, wanted); };
        forEachBitInRow(row, left, right, bitsOf, [&](std::int32_t column) {
            visit(column, kinds.kindAt(rowStart + static_cast<std::size_t>(column)));
        });
    }
    // Calls visit(x, y, handle) for every occupied cell in row-major order; visit
    // may put another object into the cell it is given.
    template <class Visit> void forEachOccupiedCell(Visit visit) const {
        const auto columns = static_cast<std::size_t>(width);
        forEachOccupied([&](std::size_t cell) {
            visit(static_cast<std::int32_t>(cell % columns),
                  static_cast<std::int32_t>(cell / columns), cells[cell]);
        });
    }
    bool contains(std::int64_t x, std::int64_t y) const {
        return x >= 0 && x < width && y >= 0 && y < height;
    }
    // How many objects of each kind the cells hold, kept by every change of a cell.
    Census census() const { return kinds.census(); }
    // The cells less the objects the census counts.
    std::int64_t emptyCells() const {
        const Census counted = census();
        return static_cast<std::int64_t>(cells.size() -
                                         (counted.obstacles + counted.prey + counted.predators));
    }
    // The kind of the object in an occupied cell, from the kinds' bits.
    Kind kindAt(std::int32_t x, std::int32_t y) const { return kinds.kindAt(index(x, y)); }
    // Changes whenever an obstacle arrives, leaves or moves; no two grids share it.
    KindIndex::Stamp obstaclesStamp() const { return kinds.obstaclesStamp(); }

    // Throws std::logic_error, naming the first cell or count at fault, unless
    // every copy of what the cells hold agrees: the occupancy is the union of
    // the kinds' bits, a cell's occupancy bit says whether it holds a handle and
    // its kind's bits the kind of the object, the census counts the objects the
    // cells hold, the empty count (the cells less the census) counts the cells
    // without one, and every object on the grid records its own cell. The World
    // calls it after every turn in debug builds and in the tests
    // (World::checkingInvariants).
    void checkInvariants() const;

    // Fixed at construction; read directly by the behaviours and the window.
    std::int32_t width;
    std::int32_t height;

private:
    std::size_t index(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x);
    }
    // The one way a cell changes: give fills an empty cell, take empties an
    // occupied one. Each changes the cell's handle, its bits and the census in
    // the kinds' index, and give the object's own x and y, together; nothing
    // else writes the handles, the bits or the census, nor the x and y of an
    // object on the grid.
    void give(std::int32_t x, std::int32_t y, GameObjectPtr&& object, Kind kind);
    struct Taken {
        GameObjectPtr object;
        Kind kind;
    };
    Taken take(std::int32_t x, std::int32_t y);
    // Drops whatever stands in the cell from the grid (held as a leaver while a
    // turn runs); nothing happens to an empty cell.
    void vacate(std::int32_t x, std::int32_t y);
    // Calls visit(column) for every set bit of the row from column left to
    // column right, the bits of each word of 64 cells given by bitsOf(word).
    template <class BitsOf, class Visit>
    void forEachBitInRow(std::int32_t row, std::int32_t left, std::int32_t right, BitsOf bitsOf,
                         Visit visit) const {
        const std::size_t rowStart = index(0, row);
        const std::size_t first = rowStart + static_cast<std::size_t>(left);
        const std::size_t last = rowStart + static_cast<std::size_t>(right);
        for (std::size_t word = first / 64; word <= last / 64; ++word) {
            std::uint64_t bits = bitsOf(word);
            if (word == first / 64)
                bits &= ~std::uint64_t{0} << (first % 64);
            if (word == last / 64)
                bits &= ~std::uint64_t{0} >> (63 - last % 64);
            for (; bits != 0; bits &= bits - 1) {
                const auto bit = static_cast<std::size_t>(std::countr_zero(bits));
                visit(static_cast<std::int32_t>(word * 64 + bit - rowStart));
            }
        }
    }
    void fillWithObstacles(std::int32_t density);
    // Calls visit with the index of every occupied cell, in row-major order.
    template <class Visit> void forEachOccupied(Visit visit) const {
        for (std::size_t word = 0; word < kinds.words(); ++word) {
            for (std::uint64_t bits = kinds.word(word, allKinds); bits != 0; bits &= bits - 1)
                visit(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
        }
    }

    // In huge pages where the system gives them (core/HugePageMemory.h).
    std::vector<GameObjectPtr, HugePageAllocator<GameObjectPtr>> cells;
    KindIndex kinds;
    bool holdingLeavers = false;
    std::vector<GameObjectPtr> leavers;
};
