#pragma once
// A kept state of the game between two turns: everything the next turns read
// (each object's kind, cell, turn counter and eaten mark; last turn's commands,
// which hearing reads; the random numbers' state), and nothing derived from it.
// Given back to the World it was taken from, the game plays on from that turn
// exactly as it did. Compact: a few bytes for each object and command, not the
// World's handles and blocks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/KindIndex.h"

class World;

class WorldState {
public:
    // The state of the world now, between two turns (no command pending).
    static WorldState of(const World& world);
    // Makes the world's game that of the state: its grid, its last commands and
    // the random numbers. What is derived from the last commands is made anew.
    void restoreInto(World& world) const;
    // The memory the state holds.
    std::size_t bytes() const;

private:
    struct KeptObject {
        std::int32_t x;
        std::int32_t y;
        std::int32_t turnCounter;
        Kind kind;
        bool eaten;
    };
    // A command of last turn. Its object is one of the grid's, or one that left
    // the grid (eaten) and is kept only by the command.
    struct KeptCommand {
        bool movement; // a Movement; otherwise an Eat
        bool onGrid;   // `object` indexes `objects`, or `offGrid`
        std::uint32_t object;
        std::int32_t fromX;
        std::int32_t fromY;
        std::int32_t toX;
        std::int32_t toY;
    };

    std::vector<KeptObject> objects; // the grid's, row-major
    std::vector<KeptObject> offGrid;
    std::vector<KeptCommand> commands;
    std::uint64_t random = 0;
};
