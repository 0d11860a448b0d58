// Arbitrary bytes as the settings file of a whole game: set-up and fifty
// turns, the board checked after every turn, and once the World is gone,
// every object, behaviour and command it held checked gone too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzFile.h"
#include "WorldCensus.h"
#include "core/Config.h"
#include "core/World.h"

namespace {

constexpr int turns = 50;

// Larger boards are the catalogue's and the soak's business: here they would
// only slow the search down. A board full of predators that all scan it to
// the far side costs the square of its cells per turn, so the cap stays small.
constexpr std::int64_t mostCells = 1024;

bool smallEnough(const std::string& file) {
    const Config config = Config::load(file);
    const std::int64_t columns = config.getInt("grid.x");
    const std::int64_t rows = config.getInt("grid.y");
    return columns <= 0 || rows <= 0 || columns * rows <= mostCells;
}

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "world fuzzer: %s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& file = writeFuzzFile(data, size);
    if (!smallEnough(file))
        return -1;
    // Each input starts from the draws of a fresh process (glibc's unseeded
    // generator is the one of seed 1), so that a finding replays alone.
    std::srand(1);
    WorldCensus census;
    {
        auto world = std::make_unique<World>(file);
        theWorld = world.get();
        census.take(*world);
        const bool playable = world->grid.width > 0 && world->grid.height > 0;
        for (int turn = 1; playable && turn <= turns; ++turn) {
            world->step();
            census.takeCommands(*world);
            std::string problem = WorldCensus::turnFault(*world);
            if (problem.empty())
                problem = WorldCensus::ownershipFault(*world, census);
            if (!problem.empty())
                fault(problem + " after turn " + std::to_string(turn));
        }
        theWorld = nullptr;
    }
    if (census.alive() != 0)
        fault("objects, behaviours or commands outlived the World");
    return 0;
}
