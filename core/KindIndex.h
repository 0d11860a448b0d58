#pragma once
// What stands in each cell, kept by the grid as objects come to stand in its
// cells and leave them (Grid::give and Grid::take, the one way a cell
// changes): one bit per cell for whether it holds an object, one bit per cell
// for each kind of creature, and the number of objects of each kind. An
// occupied cell that holds no creature holds an obstacle, so the obstacles'
// bits are the occupied cells' less the creatures' and are not kept apart.
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
        if (kind == Kind::obstacle)
            ++obstacleChanges;
        else
            bitsOf(kind)[cell / 64] |= bit(cell);
        ++counts[static_cast<std::size_t>(kind)];
    }
    // The object in the cell has left it (removed, replaced, dropped by a mover
    // or moving on); gives the kind it was of.
    Kind left(std::size_t cell) {
        const Kind kind = kindAt(cell);
        occupancy[cell / 64] &= ~bit(cell);
        if (kind == Kind::obstacle)
            ++obstacleChanges;
        else
            bitsOf(kind)[cell / 64] &= ~bit(cell);
        --counts[static_cast<std::size_t>(kind)];
        return kind;
    }

    bool occupied(std::size_t cell) const { return (occupancy[cell / 64] >> (cell % 64)) & 1U; }
    // The kind of the object in a cell that holds one.
    Kind kindAt(std::size_t cell) const {
        if (predators[cell / 64] & bit(cell))
            return Kind::predator;
        if (prey[cell / 64] & bit(cell))
            return Kind::prey;
        return Kind::obstacle;
    }
    // How many words of 64 cells the bits take.
    std::size_t words() const { return occupancy.size(); }
    // Bit i % 64 of the result is set when cell i of word i / 64 holds an object
    // of one of the kinds: a set that holds the obstacles starts from the
    // occupied cells and drops the creatures it does not hold.
    std::uint64_t word(std::size_t index, KindSet kinds) const {
        const bool withPredators = (kinds & kindBit(Kind::predator)) != 0;
        const bool withPrey = (kinds & kindBit(Kind::prey)) != 0;
        if (kinds & kindBit(Kind::obstacle)) {
            std::uint64_t bits = occupancy[index];
            if (!withPredators)
                bits &= ~predators[index];
            if (!withPrey)
                bits &= ~prey[index];
            return bits;
        }
        std::uint64_t bits = 0;
        if (withPredators)
            bits |= predators[index];
        if (withPrey)
            bits |= prey[index];
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
    // The bits of a creature's kind (obstacles have none of their own).
    std::vector<std::uint64_t>& bitsOf(Kind kind) { return kind == Kind::predator ? predators : prey; }
    static std::uint64_t newName();

    std::vector<std::uint64_t> occupancy;
    std::vector<std::uint64_t> predators;
    std::vector<std::uint64_t> prey;
    std::uint64_t name = newName();
    std::uint64_t obstacleChanges = 0;
    // How many objects of each kind the cells hold, by kind.
    std::array<std::uint64_t, 3> counts{};
};
