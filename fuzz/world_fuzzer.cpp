// Arbitrary bytes as the settings file of a whole game: set-up and fifty
// turns, the board checked after every turn, and once the World is gone,
// every object, behaviour and command it held checked gone too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzFile.h"
#include "WorldCensus.h"
#include "core/Config.h"

namespace {

constexpr std::uint32_t turns = 50;

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
    const std::string problem = playAndCheck(file, turns);
    if (!problem.empty())
        fault(problem);
    return 0;
}
