#pragma once
// What stands in each cell, kept by the grid as objects come to stand in its
// cells and leave them (Grid::give and Grid::take, the one way a cell
// changes): one bit per cell for whether it holds an object, one bit per cell
// for each kind, and the number of objects of each kind. The occupancy is the
// union of the kinds' bits, kept apart so that a test of one cell reads one
// word (docs/performance.md, "Where the speed lives", says why the obstacles'
// bits are not derived from it).
//
// The test before a step then reads one bit, the census after a turn is at
// hand without visiting a single object, and a scan for a kind (sight looking
// for the eatable, a turn listing its creatures) reads a few words of bits per
// row instead of asking every object in its way what it is. A kind is told
// apart as everywhere else, through the object's accept, once when it arrives.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Census.h"

class GameObject;

enum class Kind : std::uint8_t { predator, prey, obstacle };

// The kind of an object, asked through its accept.
Kind kindOf(GameObject& object);

// A set of kinds, one bit each.
using KindSet = std::uint8_t;
constexpr KindSet kindBit(Kind kind) { return static_cast<KindSet>(1U << static_cast<unsigned>(kind)); }
inline constexpr KindSet allKinds = 0b111;

class KindIndex {
public:
    explicit KindIndex(std::size_t cells);
    // A copy is an index of its own: it gets a name of its own (see Stamp).
    KindIndex(const KindIndex& other);
    KindIndex(KindIndex&& other) noexcept;
    KindIndex& operator=(const KindIndex& other);
    KindIndex& operator=(KindIndex&& other) noexcept;

    // An object of this kind has come to stand in the cell, which was empty.
    void arrived(std::size_t cell, Kind kind) {
        occupancy[cell / 64] |= bit(cell);
        cellsOf[static_cast<std::size_t>(kind)][cell / 64] |= bit(cell);
        ++counts[static_cast<std::size_t>(kind)];
        obstacleChanges += kind == Kind::obstacle ? 1 : 0;
    }
    // The object in the cell has left it (removed, replaced, dropped by a mover
    // or moving on); gives the kind it was of.
    Kind left(std::size_t cell) {
        const Kind kind = kindAt(cell);
        occupancy[cell / 64] &= ~bit(cell);
        cellsOf[static_cast<std::size_t>(kind)][cell / 64] &= ~bit(cell);
        --counts[static_cast<std::size_t>(kind)];
        obstacleChanges += kind == Kind::obstacle ? 1 : 0;
        return kind;
    }

    bool occupied(std::size_t cell) const { return (occupancy[cell / 64] >> (cell % 64)) & 1U; }
    // The kind of the object in a cell that holds one.
    Kind kindAt(std::size_t cell) const {
        if (cellsOf[static_cast<std::size_t>(Kind::predator)][cell / 64] & bit(cell))
            return Kind::predator;
        if (cellsOf[static_cast<std::size_t>(Kind::prey)][cell / 64] & bit(cell))
            return Kind::prey;
        return Kind::obstacle;
    }
    // How many words of 64 cells the bits take.
    std::size_t words() const { return occupancy.size(); }
    // Bit i % 64 of the result is set when cell i of word i / 64 holds an object
    // of one of the kinds (every kind: the occupancy's word).
    std::uint64_t word(std::size_t index, KindSet kinds) const {
        if (kinds == allKinds)
            return occupancy[index];
        std::uint64_t bits = 0;
        for (std::size_t kind = 0; kind < cellsOf.size(); ++kind) {
            if (kinds & (1U << kind))
                bits |= cellsOf[kind][index];
        }
        return bits;
    }

    Census census() const {
        return {counts[static_cast<std::size_t>(Kind::obstacle)], counts[static_cast<std::size_t>(Kind::prey)],
                counts[static_cast<std::size_t>(Kind::predator)]};
    }
    // Changes whenever an obstacle arrives in a cell, leaves one or moves, and is
    // never the same for the obstacles of two indexes: a list of a grid's
    // obstacles is still right while its stamp stays the same.
    struct Stamp {
        std::uint64_t index = 0; // every index has its own, from 1 up
        std::uint64_t changes = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp obstaclesStamp() const { return {name, obstacleChanges}; }

private:
    static std::uint64_t bit(std::size_t cell) { return std::uint64_t{1} << (cell % 64); }
    static std::uint64_t newName();

    std::vector<std::uint64_t> occupancy;
    // Each kind's bits, by kind.
    std::array<std::vector<std::uint64_t>, 3> cellsOf;
    std::uint64_t name = newName();
    std::uint64_t obstacleChanges = 0;
    // How many objects of each kind the cells hold, by kind.
    std::array<std::uint64_t, 3> counts{};
};
