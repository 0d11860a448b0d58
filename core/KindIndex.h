#pragma once
// What kind of object stands in each cell, kept by the grid as objects come to
// stand in its cells and leave them: one bit per cell for each kind, and the
// number of objects of each kind. The census after a turn is then at hand
// without visiting a single object, and a scan for a kind (sight looking for
// the eatable, a turn listing its creatures) reads a few words of bits per row
// instead of asking every object in its way what it is. A kind is told apart
// as everywhere else, through the object's accept, once when it arrives.
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
    void arrived(std::size_t cell, Kind kind);
    // The object in the cell has left it (removed, replaced, or dropped by a mover).
    void left(std::size_t cell);
    // The object in cell `from` has moved to cell `to`, which was empty: its kind
    // is still counted, now in the other cell.
    void moved(std::size_t from, std::size_t to);

    // The kind of the object in a cell that holds one.
    Kind kindAt(std::size_t cell) const;
    // Bit i % 64 of the result is set when cell i of word i / 64 holds an object
    // of one of the kinds.
    std::uint64_t word(std::size_t index, KindSet kinds) const {
        std::uint64_t bits = 0;
        for (std::size_t kind = 0; kind < kindCount; ++kind) {
            if (kinds & (1U << kind))
                bits |= cellsOf[kind][index];
        }
        return bits;
    }

    const Census& census() const { return counts; }
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
    static constexpr std::size_t kindCount = 3;
    static std::uint64_t bit(std::size_t cell) { return std::uint64_t{1} << (cell % 64); }
    std::uint64_t& wordOf(Kind kind, std::size_t cell) {
        obstacleChanges += kind == Kind::obstacle ? 1 : 0;
        return cellsOf[static_cast<std::size_t>(kind)][cell / 64];
    }
    static std::uint64_t newName();
    std::uint64_t& counter(Kind kind);

    std::array<std::vector<std::uint64_t>, kindCount> cellsOf;
    std::uint64_t name = newName();
    std::uint64_t obstacleChanges = 0;
    Census counts;
};
