#include "core/World.h"

#include <boost/make_shared.hpp>
#include <utility>

#include "behaviour/HuntingAI.h"
#include "behaviour/StrollingAI.h"
#include "core/PoolAllocator.h"
#include "core/PropertyQueries.h"

World* theWorld = nullptr;

#ifdef NDEBUG
bool World::checkingInvariants = false;
#else
bool World::checkingInvariants = true;
#endif

namespace {

// Draws a cell for each of `count` creatures exactly as placing it would, and
// holds the cell with the stand-in meanwhile. False once the grid is full: no
// later creature fits either, and none is tried.
bool drawCells(Grid& grid, const GameObjectPtr& standIn, int count) {
    for (int i = 0; i < count; ++i) {
        if (!grid.placeAtRandom(standIn))
            return false;
    }
    return true;
}

template <class Kind, class Behaviour> GameObjectPtr makeCreature() {
    return makeObject<Kind>(makeObject<Behaviour>());
}

// The need and the memory available, when a world that the grid could hold
// needs more memory than there is.
std::optional<World::MemoryShortfall> shortfallOf(const Config& config,
                                                  std::uint64_t availableBytes) {
    if (!Grid::sizeFits(config.getInt("grid.x"), config.getInt("grid.y")))
        return std::nullopt;
    const std::uint64_t need = estimatedMemoryNeed(config);
    if (need <= availableBytes)
        return std::nullopt;
    return World::MemoryShortfall{need, availableBytes};
}

// The grid the settings ask for, or a grid of 0 x 0 cells, built without a
// draw, when there is not the memory for the world.
Grid gridOf(const Config& config, const std::optional<World::MemoryShortfall>& shortfall) {
    if (shortfall)
        return Grid(0, 0, 0);
    return Grid(config.getInt("grid.x"), config.getInt("grid.y"),
                config.getInt("obstacle.density"));
}

} // namespace

World::World(const std::string& configFileName, std::uint64_t availableBytes)
    : World(Config::load(configFileName), availableBytes) {}

World::World(Config settings, std::uint64_t availableBytes)
    : World(shortfallOf(settings, availableBytes), std::move(settings)) {}

World::World(std::optional<MemoryShortfall> refused, Config&& settings)
    : config(std::move(settings)), grid(gridOf(config, refused)), shortfall(refused) {
    placeCreatures();
    if (checkingInvariants)
        grid.checkInvariants();
}

World::~World() {
    if (theWorld == this)
        theWorld = nullptr;
}

void World::placeCreatures() {
    // Every prey, then every predator, into a random empty cell. The cells are
    // drawn first, each exactly as placing its creature would draw it; the
    // creatures are then made in row-major order of their cells, so that
    // neighbours on the board are neighbours in memory. Measured against making
    // each creature as it is placed: set-up 6 %, a paint 10 % and the first turn
    // 9 % faster, and a world torn down three times as fast (docs/performance.md).
    const GameObjectPtr prey = boost::make_shared<Prey>(GameAIPtr());
    const GameObjectPtr predator = boost::make_shared<Predator>(GameAIPtr());
    if (drawCells(grid, prey, config.getInt("prey.number")))
        drawCells(grid, predator, config.getInt("predator.number"));
    grid.forEachOccupiedCell([&](std::int32_t x, std::int32_t y, const GameObjectPtr& held) {
        if (held == prey)
            grid.put(makeCreature<Prey, StrollingAI>(), x, y);
        else if (held == predator)
            grid.put(makeCreature<Predator, HuntingAI>(), x, y);
    });
}

std::optional<World::MemoryShortfall> World::memoryShortfall() const { return shortfall; }

bool World::gridTooLarge() const {
    const std::int64_t columns = config.getInt("grid.x");
    const std::int64_t rows = config.getInt("grid.y");
    return columns > 0 && rows > 0 && !Grid::sizeFits(columns, rows);
}

void World::issue(CommandPtr command) {
    theWorld->pendingCommands.push_back(std::move(command));
    theWorld->schedule.noteIssued();
}

void World::step() {
    // Everything on the grid now lives until the turn ends, even if it leaves the grid.
    const TurnObjects objects(grid, turnObjects);
    // Hardly any object issues more than one command: room for one each saves
    // copying the list as it grows.
    pendingCommands.reserve(objects.creatureList().size());

    // Every object has its tick, in row-major order; the creatures that act issue commands.
    schedule.forEachObject(objects, grid, pendingCommands,
                           [](GameObject& object) { tickObject(object); });
    // The commands run in issue order. A command may not add commands; if one
    // ever does, it runs too.
    schedule.forEachCommand(pendingCommands, grid, [](Command& command) { command.execute(); });
    exchangeCommandLists();
    // The eaten leave the grid, from the cell where each stands now.
    schedule.forEachMarked([this](GameObject& object) {
        if (object.eaten)
            grid.remove(object);
    });
    if (checkingInvariants)
        grid.checkInvariants();
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
