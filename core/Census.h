#pragma once
// What stands on the grid, counted by kind: the figures of the text front end's
// frame header ("turn T: A obstacles, B prey, C predators") and of every row of
// a sweep's table and of the page beside the board.
#include <cstdint>

class Grid;

struct Census {
    std::uint64_t obstacles = 0;
    std::uint64_t prey = 0;
    std::uint64_t predators = 0;

    bool operator==(const Census&) const = default;
};

// The counts that the grid keeps as objects arrive in its cells and leave them:
// no object is visited, so a census after every turn costs nothing
// (Grid::checkInvariants compares them with a count of every object).
Census takeCensus(const Grid& grid);
