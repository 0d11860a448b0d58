#pragma once
// The frames that lurkfield-text prints, read back: each a heading
// "turn T: O obstacles, P prey, H predators", the board's rows, an empty line.
#include <cstdint>
#include <string>
#include <vector>

// One printed frame: its heading's counts and the board rows below it.
struct Frame {
    std::uint64_t turn = 0;
    std::uint64_t obstacles = 0;
    std::uint64_t prey = 0;
    std::uint64_t predators = 0;
    std::string board;
};

std::vector<Frame> framesOf(const std::string& output);
