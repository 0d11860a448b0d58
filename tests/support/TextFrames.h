#pragma once
// The frames that lurkfield-text prints, read back: each a heading
// "turn T: O obstacles, P prey, H predators", the board's rows, an empty line.
// Line ends may be CRLF (the Windows console writes them).
#include <cstdint>
#include <string>
#include <vector>

// One printed frame: its heading's counts and the board rows below it.
struct Frame {
    std::uint64_t turn = 0;
    std::uint64_t obstacles = 0;
    std::uint64_t prey = 0;
    std::uint64_t predators = 0;
    std::vector<std::string> rows; // '.' empty, '#' obstacle, 'o' prey, 'H' predator

    int width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
    int height() const { return static_cast<int>(rows.size()); }
    char at(int column, int row) const {
        return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
};

std::vector<Frame> framesOf(const std::string& output);
