// What the page shows beside the board: how many obstacles, prey and predators
// stand on the grid (the counts of the text front end's header) and which turn's
// commands are the last, read from theWorld. Web build only; the page asks at
// each of the program's GetMessageW, so after every turn.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <optional>

#include "core/Census.h"
#include "core/World.h"

namespace {

// The serial of the last turn's commands whose census the page has: each turn is
// counted once.
std::optional<std::uint64_t> serialShown;

} // namespace

// The census goes to the page by name, Module.onCensus({serial, obstacles, prey,
// predators}): this is the only place that says what it holds.
// clang-format off
EM_JS(void, lurkfield_census_to_page,
      (double serial, double obstacles, double prey, double predators), {
  if (Module['onCensus'])
    Module['onCensus']({'serial': serial, 'obstacles': obstacles, 'prey': prey,
                        'predators': predators});
});
// clang-format on

// Hands the page the census of theWorld once per turn; nothing while there is no World.
extern "C" EMSCRIPTEN_KEEPALIVE void lurkfield_census() {
    if (theWorld == nullptr || theWorld->lastCommandsSerial() == serialShown)
        return;
    serialShown = theWorld->lastCommandsSerial();
    const Census count = takeCensus(theWorld->grid);
    lurkfield_census_to_page(static_cast<double>(*serialShown),
                             static_cast<double>(count.obstacles), static_cast<double>(count.prey),
                             static_cast<double>(count.predators));
}
