#pragma once
// The one simulation state of the process: settings, board and command lists.
// Building it is the set-up: load the settings, scatter the obstacles, then put
// every prey and then every predator into a random empty cell.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Command.h"
#include "core/Config.h"
#include "core/Grid.h"
#include "core/MemoryNeed.h"
#include "core/MoveIndex.h"
#include "core/Tick.h"
#include "core/TurnObjects.h"
#include "core/TurnScheduler.h"

class World {
public:
    // availableBytes is the memory the system reports as available to the
    // process (the front ends ask system/AvailableMemory.h). A world whose
    // estimated need (core/MemoryNeed.h) is larger is refused before anything is
    // allocated: its grid is 0 x 0 and memoryShortfall() gives both figures.
    explicit World(const std::string& configFileName,
                   std::uint64_t availableBytes = unlimitedMemory);
    // The same set-up from settings already read (a front end may add lines of
    // its own to the file's).
    explicit World(Config settings, std::uint64_t availableBytes = unlimitedMemory);
    // theWorld is empty again once the World it pointed to is gone.
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Appends a command to the pending commands of theWorld. Only behaviours call it.
    static void issue(CommandPtr command);

    // One turn: every object has its tick, then the commands run in issue order,
    // then the command lists are exchanged and eaten objects leave the grid.
    void step();

    // True when the file asks for a grid of more than Grid::maxCells cells, which
    // was refused before anything was allocated (the grid is then 0 x 0).
    bool gridTooLarge() const;

    // The estimated need of a world refused for want of memory, and what was available.
    struct MemoryShortfall {
        std::uint64_t neededBytes;
        std::uint64_t availableBytes;
    };
    // Set when the world was refused because its estimated need exceeded the
    // memory available; nothing was built then.
    std::optional<MemoryShortfall> memoryShortfall() const;

    // Changes whenever lastCommands is replaced by a turn or reported changed;
    // what is derived from the list (heardMoves) is made anew when it differs.
    std::uint64_t lastCommandsSerial() const { return serial; }

    // The one way to have a change to lastCommands made outside a turn seen by
    // what is derived from it (the heard moves): call this after the change.
    void lastCommandsChanged();

    // Whether the set-up and every turn end by checking that the grid's copies
    // of what its cells hold agree (Grid::checkInvariants, which throws
    // std::logic_error when they do not). On from the start in debug builds,
    // that is builds without NDEBUG, as for assert (CMake's Debug, the
    // sanitizer stage's build), and in every test program (tests/support);
    // off in Release and RelWithDebInfo, where the turn pays nothing for it.
    static bool checkingInvariants;

    // Destroyed in reverse order: lastCommands, pendingCommands, grid, config.
    Config config;
    Grid grid;
    std::vector<CommandPtr> pendingCommands;
    std::vector<CommandPtr> lastCommands;
    // Last turn's prey moves, listed by hearing from lastCommands the first time
    // a predator listens after the lists change.
    MoveIndex heardMoves;
    // How the turn's loops, and hearing's, walk their lists fast (core/TurnScheduler.h).
    TurnScheduler schedule;

private:
    // The set-up, once the memory need is weighed (`refused` is set when it is
    // too large). The settings are taken over only here, so that the weighing
    // among the arguments still reads them.
    World(std::optional<MemoryShortfall> refused, Config&& settings);
    void placeCreatures();
    void exchangeCommandLists();

    std::uint64_t serial = 0;
    std::optional<MemoryShortfall> shortfall;
    // The storage of the turn's object list, kept from turn to turn: a fresh
    // list of a few megabytes every turn would cost page faults each time.
    TurnObjects::Storage turnObjects;
};

// The one World, set by the program's entry once the World is built. Every part
// of the simulation reaches the settings, the grid and the commands through it.
extern World* theWorld;
