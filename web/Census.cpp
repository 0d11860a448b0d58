// What the page shows beside the board: how many obstacles, prey and predators
// stand on the grid (the counts of the text front end's header) and which turn's
// commands are the last, read from theWorld. Web build only; the page asks at
// each of the program's GetMessageW, so after every turn.
#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>

#include "core/Census.h"
#include "core/World.h"

namespace {

// The serial of the last turn's commands, then the three counts: read by the page
// from the module's memory. Counted once per turn.
std::array<double, 4> census{-1, 0, 0, 0};

} // namespace

// The census of theWorld, or null while there is no World.
extern "C" EMSCRIPTEN_KEEPALIVE const double* lurkfield_census() {
    if (theWorld == nullptr)
        return nullptr;
    const auto serial = static_cast<double>(theWorld->lastCommandsSerial());
    if (serial == census[0])
        return census.data();
    const Census count = takeCensus(theWorld->grid);
    census = {serial, static_cast<double>(count.obstacles), static_cast<double>(count.prey),
              static_cast<double>(count.predators)};
    return census.data();
}
