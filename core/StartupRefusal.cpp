#include "core/StartupRefusal.h"

#include "core/MemoryNeed.h"
#include "core/World.h"

std::optional<std::string> startupRefusal(const World& world, const std::string& configFileName) {
    const std::string question = " Do you have a correct config? (" + configFileName + ")";
    // A grid asked too large was never built: it is 0 x 0 now, but "too small"
    // would send the user the wrong way.
    if (world.gridTooLarge())
        return "The grid is too large: more than " + std::to_string(Grid::maxCells) + " cells." +
               question;
    if (const std::optional<World::MemoryShortfall> shortfall = world.memoryShortfall())
        return "Not enough memory for this world: it needs about " +
               std::to_string(megabytesRoundedUp(shortfall->neededBytes)) + " MB, and " +
               std::to_string(megabytesRoundedDown(shortfall->availableBytes)) +
               " MB are available (" + configFileName + ").";
    if (world.grid.width == 0 || world.grid.height == 0)
        return "The grid is too small." + question;
    return std::nullopt;
}

std::string outOfMemoryMessage(const std::string& configFileName) {
    return "Not enough memory for this world (" + configFileName + ").";
}
