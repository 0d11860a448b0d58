// What the page shows beside the board, and the turn it shows: how many
// obstacles, prey and predators stand on the grid (the counts of the text front
// end's header) after each turn, read from theWorld, and the board's history
// (TurnHistory.h), which takes the board to any turn from 0 to the furthest
// played and on. Web build only; the page asks for the census at each of the
// program's GetMessageW, so after every turn.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <optional>

#include "core/Census.h"
#include "core/World.h"
#include "web/TurnHistory.h"

namespace {

// The board's game since the program's World was set up: made at the first census.
std::optional<TurnHistory> history;

// The serial of the last turn's commands that the history has counted: a new
// one is a turn played on the board (a space), counted once.
std::optional<std::uint64_t> serialCounted;

} // namespace

// The census goes to the page by name, Module.onCensus({turn, furthest,
// obstacles, prey, predators, passing}): this is the only place that says what
// it holds. `passing` is set for a turn played on the way to another, which the
// board does not show.
// clang-format off
EM_JS(void, lurkfield_census_to_page,
      (double turn, double furthest, double obstacles, double prey, double predators,
       int passing), {
  if (Module['onCensus'])
    Module['onCensus']({'turn': turn, 'furthest': furthest, 'obstacles': obstacles,
                        'prey': prey, 'predators': predators, 'passing': passing !== 0});
});
// clang-format on

namespace {

void tellPage(std::uint64_t turn, bool passing) {
    const Census count = takeCensus(theWorld->grid);
    lurkfield_census_to_page(static_cast<double>(turn), static_cast<double>(history->furthest()),
                             static_cast<double>(count.obstacles), static_cast<double>(count.prey),
                             static_cast<double>(count.predators), passing ? 1 : 0);
}

} // namespace

// Hands the page the census of theWorld once per turn; nothing while there is no World.
extern "C" EMSCRIPTEN_KEEPALIVE void lurkfield_census() {
    if (theWorld == nullptr || theWorld->lastCommandsSerial() == serialCounted)
        return;
    if (!history)
        history.emplace(*theWorld, TurnHistory::budgetFor(theWorld->config));
    else
        history->played();
    serialCounted = theWorld->lastCommandsSerial();
    tellPage(history->shown(), false);
}

// Takes theWorld to the turn and hands the page its census (and that of every
// turn played for the first time on the way); the page then has the board
// repainted. Returns the turn shown, or -1 while there is no game.
extern "C" EMSCRIPTEN_KEEPALIVE double lurkfield_go_to_turn(double turn) {
    if (theWorld == nullptr || !history || !(turn >= 0))
        return -1;
    history->goTo(static_cast<std::uint64_t>(turn),
                  [](std::uint64_t passed) { tellPage(passed, true); });
    serialCounted = theWorld->lastCommandsSerial();
    tellPage(history->shown(), false);
    return static_cast<double>(history->shown());
}
