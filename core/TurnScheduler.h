#pragma once
// How a turn walks its lists: in the order the rules give, one item after the
// other, while asking memory for the items a few places ahead. This is the one
// place where the turn asks memory ahead; World::step states the rules and
// hands its loops to the scheduler, and hearing lists last turn's moves through
// it. Nothing here changes what a turn computes. What else the turn keeps for
// speed, and where (the grid's bits, the turn's lists, the heard moves, the
// pools), is listed in docs/performance.md, "Where the speed lives".
//
// Why: a turn of a big world visits a few hundred thousand objects spread over
// the heap (the creatures, their behaviours and cells, the commands), and each
// visit would otherwise begin by waiting for memory. Asking ahead lets those
// waits overlap. Each walk here asks for what it asks because that was measured
// to pay on the 1000 x 1000 benchmark world (docs/performance.md); what gained
// less than 3 % (asking for reference counts or occupancy bits, the sight scan)
// was dropped.
//
// The scheduler knows only what the turn itself knows: the objects (their cell,
// their behaviour) and which object issued which command. It never asks a
// command what it is, and assumes nothing about how a library lays out the
// memory of its handles.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "core/GameObject.h"
#include "core/Grid.h"
#include "core/Handles.h"
#include "core/Tick.h"
#include "core/TurnObjects.h"

class TurnScheduler {
  public:
    // Gives every object of the turn its tick: tick(object) for the creatures
    // and the obstacles whose tick acts, in row-major order as the rules give
    // them. An obstacle's tick that does not act changes nothing but that
    // obstacle's counter, which nothing reads while the ticks run: those ticks
    // are counted first (countObstacleTick), in a run of their own over the
    // obstacles, and the turn reads the cells of its creatures only. The
    // commands already in `issued` were issued by no tick.
    template <class Tick>
    void forEachObject(const TurnObjects& objects, const Grid& grid,
                       const std::vector<CommandPtr>& issued, Tick tick);

    // Notes that a command was issued now, by the object whose tick is running
    // (by none outside the ticks). World::issue calls it for every command.
    void noteIssued() {
        issuers.push_back(ticking);
        issuerCells.push_back(tickingCell);
    }

    // Calls run(command) for every command in order; a command added meanwhile
    // runs too. The issuers noted for the commands must still be alive, as the
    // objects of a turn are until the turn ends.
    template <class Run>
    void forEachCommand(const std::vector<CommandPtr>& commands, const Grid& grid, Run run);

    // Notes that an Eat has marked the object eaten (Eat::execute calls it).
    void noteEaten(GameObject& object) { marked.push_back(&object); }

    // Calls visit(object) for every object of the turn marked eaten: those an
    // Eat marked this turn and those already marked when the turn began (the
    // ticks note them). Only an Eat marks an object while a turn runs, so the
    // turn removes the eaten without visiting every object again. An object
    // may be visited more than once.
    template <class Visit>
    void forEachMarked(Visit visit) const;

    // Calls visit(command) for every command of the previous turn, in order
    // (hearing lists the prey moves among them).
    template <class Visit>
    void forEachLastCommand(const std::vector<CommandPtr>& commands, Visit visit) const;

    // Empties the previous turn's list from the first command to the last, as
    // clear() would; then this turn's notes stand for the list it is exchanged with.
    void releaseLastCommands(std::vector<CommandPtr>& commands);
    void exchange() { issuers.swap(lastIssuers); }

    // Forgets which object issued the previous turn's commands: after a change
    // to that list the notes would name the wrong ones.
    void forgetLastIssuers() { lastIssuers.clear(); }

  private:
    // Far enough for memory to arrive before the item is visited; twice as far
    // for what must arrive before its own address can be read.
    static constexpr std::size_t ahead = 8;

    // Where the issuer of a command is in memory, or 0 when no tick issued it.
    // An address, not a pointer: the issuer of an old command may be gone.
    using Address = std::uintptr_t;

    // Asks for the memory of something alive (an object of this turn, a command,
    // a cell); null asks for nothing.
    static void ask(const void* alive);
    static void ask(Address alive) { ask(reinterpret_cast<const void*>(alive)); }
    // Asks for memory that may no longer hold an object: a hint only, never a read.
    static void askIfStillThere(Address address);
    // The object's cell; gives the cell, or null when it lies off the grid.
    static const GameObjectPtr* askCell(const GameObject& object, const Grid& grid);
    // The cell at this address and the cells around it, in a grid of this width.
    static void askAround(Address cell, std::int32_t width);
    static Address noted(std::size_t command, const std::vector<Address>& notes) {
        return command < notes.size() ? notes[command] : 0;
    }
    // The creatures, and among them in row-major order the obstacles whose tick acts.
    const std::vector<GameObject*>& actingInOrder(const TurnObjects& objects);
    // Calls tick(object) for every object of the list, in order, asking ahead.
    template <class Tick>
    void tickInOrder(const std::vector<GameObject*>& objects, const Grid& grid, Tick tick);
    // Calls visit(object) for every object of the list, asking further ahead.
    template <class Visit>
    static void visitAll(const std::vector<GameObject*>& objects, Visit visit);
    // Calls visit(handle) for every command of the previous turn, in order,
    // asking for the commands and their issuers ahead.
    template <class Commands, class Visit>
    void walkLastCommands(Commands& commands, Visit visit) const;

    // The object whose tick is running, or 0.
    Address ticking = 0;
    // Where the cell of the object whose tick is running is, or 0.
    Address tickingCell = 0;
    std::vector<Address> issuers;
    // The issuers' cells, noted as they issue: the commands then ask for the
    // cells around an issuer without waiting for the issuer itself.
    std::vector<Address> issuerCells;
    std::vector<Address> lastIssuers;
    // The obstacles whose tick acts this turn, and the creatures merged with them.
    std::vector<GameObject*> actingObstacles;
    std::vector<GameObject*> merged;
    // The objects marked eaten by this turn's Eats, and those marked before it.
    std::vector<GameObject*> marked;
};

inline void TurnScheduler::askIfStillThere(Address address) {
#if (defined(__GNUC__) || defined(__clang__)) && !defined(__EMSCRIPTEN__)
    __builtin_prefetch(reinterpret_cast<const void*>(address));
    // An empty statement that counts as an effect: a function that does nothing
    // but ask for memory would otherwise look free of effects, and the compiler
    // may drop its calls whole.
    asm volatile("" : : "r"(address));
#else
    (void)address;
#endif
}

inline void TurnScheduler::ask(const void* alive) {
#ifdef __EMSCRIPTEN__
    // WebAssembly has no prefetch: a read of one byte whose value nothing waits
    // for lets the processor start fetching its line all the same. Only memory
    // known to be alive may be read.
    if (alive != nullptr)
        static_cast<void>(*static_cast<const volatile char*>(alive));
#else
    askIfStillThere(reinterpret_cast<Address>(alive));
#endif
}

inline const GameObjectPtr* TurnScheduler::askCell(const GameObject& object, const Grid& grid) {
    if (!grid.contains(object.x, object.y))
        return nullptr;
    const GameObjectPtr* cell = &grid.at(object.x, object.y);
    ask(cell);
    return cell;
}

inline void TurnScheduler::askAround(Address cell, std::int32_t width) {
    // The cells beside it, and the three above and below, by address: near an
    // edge some lie off the grid, and a hint for them is harmless. Four cells
    // share a cache line, so the two ends of three cover the middle one.
    const Address row = sizeof(GameObjectPtr) * static_cast<Address>(width);
    for (const Address middle : {cell - row, cell, cell + row}) {
        askIfStillThere(middle - sizeof(GameObjectPtr));
        askIfStillThere(middle + sizeof(GameObjectPtr));
    }
}

template <class Tick>
void TurnScheduler::forEachObject(const TurnObjects& objects, const Grid& grid,
                                  const std::vector<CommandPtr>& issued, Tick tick) {
    ticking = 0;
    actingObstacles.clear();
    marked.clear();
    for (GameObject* obstacle : objects.obstacleList()) {
        if (!countObstacleTick(*obstacle))
            actingObstacles.push_back(obstacle);
        else if (obstacle->eaten) // an acting obstacle is noted as it ticks
            marked.push_back(obstacle);
    }
    const std::vector<GameObject*>& inOrder = actingInOrder(objects);
    issuers.assign(issued.size(), 0);
    issuerCells.assign(issued.size(), 0);
    // Hardly any object issues more than one command: room for one each saves
    // copying the notes as they grow.
    issuers.reserve(issued.size() + inOrder.size());
    issuerCells.reserve(issued.size() + inOrder.size());
    tickInOrder(inOrder, grid, tick);
}

inline const std::vector<GameObject*>& TurnScheduler::actingInOrder(const TurnObjects& objects) {
    if (actingObstacles.empty())
        return objects.creatureList();
    // Nothing has moved yet: every object is still in the cell it started in.
    const auto rowMajor = [](const GameObject* a, const GameObject* b) {
        return a->y != b->y ? a->y < b->y : a->x < b->x;
    };
    std::sort(actingObstacles.begin(), actingObstacles.end(), rowMajor);
    merged.clear();
    std::merge(objects.creatureList().begin(), objects.creatureList().end(),
               actingObstacles.begin(), actingObstacles.end(), std::back_inserter(merged), rowMajor);
    return merged;
}

template <class Tick>
void TurnScheduler::tickInOrder(const std::vector<GameObject*>& objects, const Grid& grid,
                                Tick tick) {
    for (std::size_t i = 0; i < objects.size(); ++i) {
        GameObject& object = *objects[i];
        ticking = reinterpret_cast<Address>(&object);
        tickingCell = grid.contains(object.x, object.y)
                          ? reinterpret_cast<Address>(&grid.at(object.x, object.y))
                          : 0;
        // An object marked eaten before the turn leaves the grid at its end too.
        if (object.eaten)
            marked.push_back(&object);
        // A tick reads the object, then its behaviour and its cell.
        if (i + 2 * ahead < objects.size())
            ask(objects[i + 2 * ahead]);
        if (i + ahead < objects.size()) {
            const GameObject& next = *objects[i + ahead];
            ask(next.ai.get());
            askCell(next, grid);
        }
        tick(object);
    }
    ticking = 0;
    tickingCell = 0;
}

template <class Run>
void TurnScheduler::forEachCommand(const std::vector<CommandPtr>& commands, const Grid& grid,
                                   Run run) {
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (i + 2 * ahead < commands.size()) {
            ask(commands[i + 2 * ahead].get());
            ask(noted(i + 2 * ahead, issuers));
        }
        // A command is about its issuer or a neighbour of it: the cells around
        // the issuer are the ones it changes.
        if (const Address cell = noted(i + ahead, issuerCells))
            askAround(cell, grid.width);
        run(*commands[i]);
    }
}

template <class Visit>
void TurnScheduler::forEachMarked(Visit visit) const {
    visitAll(marked, visit);
}

template <class Visit>
void TurnScheduler::visitAll(const std::vector<GameObject*>& objects, Visit visit) {
    // Little work for each object: the wait for memory needs asking further ahead.
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (i + 4 * ahead < objects.size())
            ask(objects[i + 4 * ahead]);
        visit(*objects[i]);
    }
}

template <class Commands, class Visit>
void TurnScheduler::walkLastCommands(Commands& commands, Visit visit) const {
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (i + ahead < commands.size()) {
            ask(commands[i + ahead].get());
            askIfStillThere(noted(i + ahead, lastIssuers));
        }
        visit(commands[i]);
    }
}

template <class Visit>
void TurnScheduler::forEachLastCommand(const std::vector<CommandPtr>& commands, Visit visit) const {
    walkLastCommands(commands, [&](const CommandPtr& command) { visit(*command); });
}

inline void TurnScheduler::releaseLastCommands(std::vector<CommandPtr>& commands) {
    walkLastCommands(commands, [](CommandPtr& command) { command.reset(); });
    commands.clear();
}
