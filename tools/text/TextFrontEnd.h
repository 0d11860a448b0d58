#pragma once
// The simulation without a window, for terminals, scripts and servers:
//   lurkfield-text [--config FILE] [--set KEY=VALUE]... [--seed S] [--turns N] [--trace]
// It builds the world from FILE exactly as the window program does (or, with
// --seed, after srand(S)), runs N turns and prints frames of the board.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/SettingLine.h"

class World;

struct TextOptions {
    std::string configFile = "lurkfield.config";
    // Lines added after the file's, in the order given.
    std::vector<SettingLine> settings;
    // srand(seed) before set-up; without it nothing is seeded, as in the window.
    std::optional<unsigned> seed;
    std::uint64_t turns = 0;
    bool trace = false;
    bool help = false;
    bool version = false;
};

// The options of a command line (without the program name); a UsageError saying
// what is wrong when it holds an unknown option, a missing argument, a malformed
// number or a malformed setting.
TextOptions readTextOptions(const std::vector<std::string>& args);

// One frame: "turn T: A obstacles, B prey, C predators", then one line per row
// ('.' empty, '#' obstacle, 'o' prey, 'H' predator), then an empty line.
void writeFrame(std::ostream& out, const World& world, std::uint64_t turn);

// Runs the front end; returns the exit status (0 done; 1 a grid it cannot play,
// or not the memory for the world, in set-up or in a turn; 2 usage).
int runTextFrontEnd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
