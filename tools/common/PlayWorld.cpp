#include "tools/common/PlayWorld.h"

#include <cstdlib>
#include <memory>
#include <new>

#include "core/StartupRefusal.h"
#include "core/World.h"
#include "system/AvailableMemory.h"

WorldSetUp setUpWorld(const WorldSettings& settings, std::optional<unsigned> seed) {
    const std::string& configFile = settings.configFile;
    if (seed)
        std::srand(*seed);
    WorldSetUp setUp;
    setUp.world = std::make_unique<World>(
        withLines(settings.text ? Config::fromText(*settings.text) : Config::load(configFile),
                  settings.lines),
        availableMemoryBytes());
    theWorld = setUp.world.get();
    if (const std::optional<std::string> refusal = startupRefusal(*setUp.world, configFile)) {
        const RunOutcome outcome =
            setUp.world->memoryShortfall() ? RunOutcome::OutOfMemory : RunOutcome::Refused;
        setUp.refusal = PlayEnd{outcome, *refusal};
    }
    return setUp;
}

PlayEnd playWorld(const WorldSettings& settings, std::optional<unsigned> seed, std::uint64_t turns,
                  const TurnHook& afterTurn) {
    try {
        const WorldSetUp setUp = setUpWorld(settings, seed);
        if (setUp.refusal)
            return *setUp.refusal;
        World& world = *setUp.world;
        afterTurn(world, 0);
        for (std::uint64_t turn = 1; turn <= turns; ++turn) {
            world.step();
            afterTurn(world, turn);
        }
    } catch (const std::bad_alloc&) {
        // The World is gone by now, and with it the memory it held.
        return {RunOutcome::OutOfMemory, outOfMemoryMessage(settings.configFile)};
    }
    return {};
}
