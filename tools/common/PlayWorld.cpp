#include "tools/common/PlayWorld.h"

#include <cstdlib>
#include <memory>
#include <new>

#include "core/StartupRefusal.h"
#include "core/World.h"
#include "system/AvailableMemory.h"

PlayEnd playWorld(const WorldSettings& settings, std::optional<unsigned> seed, std::uint64_t turns,
                  const TurnHook& afterTurn) {
    const std::string& configFile = settings.configFile;
    try {
        if (seed)
            std::srand(*seed);
        const auto world = std::make_unique<World>(
            withLines(settings.text ? Config::fromText(*settings.text) : Config::load(configFile),
                      settings.lines),
            availableMemoryBytes());
        theWorld = world.get();
        if (const std::optional<std::string> refusal = startupRefusal(*world, configFile)) {
            const RunOutcome outcome =
                world->memoryShortfall() ? RunOutcome::OutOfMemory : RunOutcome::Refused;
            return {outcome, *refusal};
        }
        afterTurn(*world, 0);
        for (std::uint64_t turn = 1; turn <= turns; ++turn) {
            world->step();
            afterTurn(*world, turn);
        }
    } catch (const std::bad_alloc&) {
        // The World is gone by now, and with it the memory it held.
        return {RunOutcome::OutOfMemory, outOfMemoryMessage(configFile)};
    }
    return {};
}
