// What the page shows beside the board: how many obstacles, prey and predators
// stand on the grid (the counts of the text front end's header) and which turn's
// commands are the last, read from theWorld. Web build only; the page asks at
// each of the program's GetMessageW, so after every turn.
#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>

#include "core/GameObjectVisitor.h"
#include "core/World.h"

namespace {

class KindCount : public GameObjectVisitor {
public:
    void visit(Predator&) override { ++predators; }
    void visit(Prey&) override { ++prey; }
    void visit(Obstacle&) override { ++obstacles; }

    double obstacles = 0;
    double prey = 0;
    double predators = 0;
};

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
    KindCount count;
    const Grid& grid = theWorld->grid;
    for (std::int32_t y = 0; y < grid.height; ++y) {
        for (std::int32_t x = 0; x < grid.width; ++x) {
            if (const GameObjectPtr& object = grid.at(x, y))
                object->accept(count);
        }
    }
    census = {serial, count.obstacles, count.prey, count.predators};
    return census.data();
}
