#include "core/World.h"

#include <boost/make_shared.hpp>
#include <climits>
#include <utility>

#include "behaviour/HuntingAI.h"
#include "behaviour/StrollingAI.h"
#include "core/PropertyQueries.h"

World* theWorld = nullptr;

namespace {

// Puts `count` new creatures of the kind, each with a behaviour of its own, into
// random empty cells, one after the other. False once the grid is full: no
// later creature fits either, and none is tried.
template <class Kind, class Behaviour> bool placeEach(Grid& grid, int count) {
    for (int i = 0; i < count; ++i) {
        if (!grid.placeAtRandom(boost::make_shared<Kind>(boost::make_shared<Behaviour>())))
            return false;
    }
    return true;
}

} // namespace

World::World(const std::string& configFileName) : World(Config::load(configFileName)) {}

World::World(Config settings)
    : config(std::move(settings)),
      grid(config.getInt("grid.x"), config.getInt("grid.y"), config.getInt("obstacle.density")) {
    placeCreatures();
}

World::~World() {
    if (theWorld == this)
        theWorld = nullptr;
}

void World::placeCreatures() {
    // Every prey, then every predator, into a random empty cell.
    if (placeEach<Prey, StrollingAI>(grid, config.getInt("prey.number")))
        placeEach<Predator, HuntingAI>(grid, config.getInt("predator.number"));
}

bool World::gridTooLarge() const {
    const std::int64_t columns = config.getInt("grid.x");
    const std::int64_t rows = config.getInt("grid.y");
    return columns > 0 && rows > 0 && !Grid::sizeFits(columns, rows);
}

void World::issue(CommandPtr command) { theWorld->pendingCommands.push_back(std::move(command)); }

void World::step() {
    // Everything on the grid now lives until the turn ends, even if it leaves the grid.
    const TurnObjects objects(grid, turnObjects);
    // Hardly any object issues more than one command: room for one each saves
    // copying the list as it grows.
    pendingCommands.reserve(objects.list().size());

    // Every object has its tick, in row-major order; the creatures that act issue commands.
    schedule.forEachObject(objects.list(), grid, pendingCommands, tickObject);
    // The commands run in issue order. A command may not add commands; if one
    // ever does, it runs too.
    schedule.forEachCommand(pendingCommands, grid, [](Command& command) { command.execute(); });
    exchangeCommandLists();
    // The eaten leave the grid, from the cell where each stands now.
    for (GameObject* object : objects.list()) {
        if (object->eaten)
            grid.remove(*object);
    }
}

void World::exchangeCommandLists() {
    // The previous turn's commands go now, and with them the eaten objects that
    // only they still held; this turn's stay readable through the next turn.
    schedule.releaseLastCommands(lastCommands);
    lastCommands.swap(pendingCommands);
    schedule.exchange();
    // What was derived from the previous list (the heard moves) is stale now.
    ++serial;
}

void World::lastCommandsChanged() {
    ++serial;
    schedule.forgetLastIssuers();
}

void tickObject(GameObject& object) {
    // The counter of a creature that never acts stops at INT_MAX instead of
    // overflowing; it can then never wrap round to a positive reaction time.
    if (object.turnCounter < INT_MAX)
        ++object.turnCounter;
    GetReactionTime reactionTime;
    object.accept(reactionTime);
    if (object.turnCounter != reactionTime.value)
        return;
    const Grid& grid = theWorld->grid;
    if (grid.contains(object.x, object.y))
        object.ai->act(grid.get(object.x, object.y));
    object.turnCounter = 0;
}
