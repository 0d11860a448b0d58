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

// Visits every object on the grid once.
Census takeCensus(const Grid& grid);

// Whether any prey stands on the grid, without counting them all: the search
// starts a row above where it found a prey last time (a prey moves at most a
// cell a turn) and stops at the first prey. While prey are many it visits a few
// objects per turn; once they are few, a few rows; only when none is left does
// it visit every object.
class PreySearch {
public:
    bool anyPrey(const Grid& grid);

private:
    std::int32_t hintRow = 0;
};
