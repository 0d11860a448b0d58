#include "core/World.h"

#include <boost/make_shared.hpp>
#include <climits>
#include <utility>

#include "behaviour/HuntingAI.h"
#include "behaviour/StrollingAI.h"
#include "core/Prefetch.h"
#include "core/PropertyQueries.h"

World* theWorld = nullptr;

namespace {

// Every replacement of a lastCommands list, in any World, gets a number of its own.
std::uint64_t nextSerial() {
    static std::uint64_t serial = 0;
    return ++serial;
}

template <class Kind, class Behaviour> GameObjectPtr makeCreature() {
    return boost::make_shared<Kind>(boost::make_shared<Behaviour>());
}

// Draws the cells of `count` creatures, each exactly as placing the creature
// would, and has the stand-in hold every drawn cell meanwhile.
void reserveCells(Grid& grid, const GameObjectPtr& standIn, int count) {
    for (int i = 0; i < count; ++i) {
        // A full grid stays full during set-up: no later creature fits either.
        if (!grid.placeAtRandom(standIn))
            return;
    }
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
Grid gridOf(const Config& config, std::uint64_t availableBytes) {
    if (shortfallOf(config, availableBytes))
        return Grid(0, 0, 0);
    return Grid(config.getInt("grid.x"), config.getInt("grid.y"),
                config.getInt("obstacle.density"));
}

} // namespace

World::World(const std::string& configFileName, std::uint64_t availableBytes)
    : World(Config::load(configFileName), availableBytes) {}

World::World(Config settings, std::uint64_t availableBytes)
    : config(std::move(settings)), grid(gridOf(config, availableBytes)), serial(nextSerial()),
      shortfall(shortfallOf(config, availableBytes)) {
    placeCreatures();
}

World::~World() {
    if (theWorld == this)
        theWorld = nullptr;
}

void World::placeCreatures() {
    // Every prey's cell is drawn, then every predator's, with the same draws and
    // the same result as making and placing each creature at once. The creatures
    // are made afterwards, in row-major order of their cells: neighbours on the
    // board become neighbours in memory, and every turn visits them in that order.
    const GameObjectPtr preyStandIn = boost::make_shared<Prey>(GameAIPtr());
    const GameObjectPtr predatorStandIn = boost::make_shared<Predator>(GameAIPtr());
    reserveCells(grid, preyStandIn, config.getInt("prey.number"));
    reserveCells(grid, predatorStandIn, config.getInt("predator.number"));
    if (preyStandIn.use_count() == 1 && predatorStandIn.use_count() == 1)
        return;
    for (std::int32_t y = 0; y < grid.height; ++y) {
        for (std::int32_t x = 0; x < grid.width; ++x) {
            const GameObject* held = grid.at(x, y).get();
            if (held == preyStandIn.get())
                grid.put(makeCreature<Prey, StrollingAI>(), x, y);
            else if (held == predatorStandIn.get())
                grid.put(makeCreature<Predator, HuntingAI>(), x, y);
        }
    }
}

std::optional<World::MemoryShortfall> World::memoryShortfall() const { return shortfall; }

bool World::gridTooLarge() const {
    const std::int64_t columns = config.getInt("grid.x");
    const std::int64_t rows = config.getInt("grid.y");
    return columns > 0 && rows > 0 && !Grid::sizeFits(columns, rows);
}

void World::issue(CommandPtr command) { theWorld->pendingCommands.push_back(std::move(command)); }

namespace {

// Everything on the grid at the start of a turn lives until the turn ends: the
// grid holds every handle that leaves it meanwhile, which is what a list of
// handles would do, without touching every object to copy and release a handle.
class TurnHold {
public:
    explicit TurnHold(Grid& turnGrid) : grid(turnGrid) { grid.holdLeavingHandles(); }
    ~TurnHold() { grid.releaseLeavingHandles(); }
    TurnHold(const TurnHold&) = delete;
    TurnHold& operator=(const TurnHold&) = delete;

private:
    Grid& grid;
};

} // namespace

void World::step() {
    const TurnHold hold(grid);
    grid.objectPointers(turnObjects);
    // Hardly any object issues more than one command: room for one each saves
    // copying the list as it grows.
    pendingCommands.reserve(turnObjects.size());
    tickAll(turnObjects);
    executePendingCommands();
    exchangeCommandLists();
    removeEaten(turnObjects);
    turnObjects.clear();
}

void World::tickAll(const std::vector<GameObject*>& objects) {
    // A tick reads its object, and a creature that acts copies the handle of its
    // cell and calls its behaviour.
    visitAhead(
        objects, 8, [](const GameObject* object) { prefetchWithCount(object); },
        [this](const GameObject* object) {
            prefetch(object->ai.get());
            if (grid.contains(object->x, object->y))
                prefetch(&grid.at(object->x, object->y));
        },
        [](GameObject* object) { tickObject(*object); });
}

void World::executePendingCommands() {
    // A command may not add commands; if one ever does, it runs too.
    visitAhead(
        pendingCommands, 8, [](const CommandPtr& command) { prefetch(command.get()); },
        [](const CommandPtr& command) { command->prefetchForExecute(); },
        [](const CommandPtr& command) { command->execute(); });
}

void World::exchangeCommandLists() {
    // The previous turn's commands go now, and with them the eaten objects that
    // only they still held; this turn's stay readable through the next turn.
    releaseLastCommands();
    lastCommands.swap(pendingCommands);
    serial = nextSerial();
}

void World::releaseLastCommands() {
    // Released first to last, as clear() would; releasing a command releases its object.
    visitAhead(
        lastCommands, 8, [](const CommandPtr& command) { prefetch(command.get()); },
        [](const CommandPtr& command) { command->prefetchSubject(); },
        [](CommandPtr& command) { command.reset(); });
    lastCommands.clear();
}

void World::removeEaten(const std::vector<GameObject*>& objects) {
    // Little work per object, so the wait for memory needs asking far ahead.
    visitAhead(
        objects, 32, [](const GameObject* object) { prefetch(object); }, [](const GameObject*) {},
        [this](const GameObject* object) {
            if (object->eaten)
                grid.remove(*object);
        });
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
