#include "web/WorldState.h"

#include <algorithm>
#include <boost/make_shared.hpp>

#include "behaviour/HuntingAI.h"
#include "behaviour/StrollingAI.h"
#include "core/Command.h"
#include "core/GameObject.h"
#include "core/PoolAllocator.h"
#include "core/World.h"
#include "web/RandomSource.h"

namespace {

// A new object of the kind with its kind's behaviour, as the set-up makes them.
GameObjectPtr objectOf(Kind kind) {
    switch (kind) {
    case Kind::predator:
        return boost::make_shared<Predator>(boost::make_shared<HuntingAI>());
    case Kind::prey:
        return boost::make_shared<Prey>(boost::make_shared<StrollingAI>());
    case Kind::obstacle:
        break;
    }
    return boost::make_shared<Obstacle>(boost::make_shared<NothingAI>());
}

} // namespace

WorldState WorldState::of(const World& world) {
    WorldState state;
    state.random = randomState();
    const Grid& grid = world.grid;
    const std::vector<GameObjectPtr> onGrid = grid.objects();
    state.objects.reserve(onGrid.size());
    const auto kept = [](GameObject& object) {
        return KeptObject{object.x, object.y, object.turnCounter, kindOf(object), object.eaten};
    };
    for (const GameObjectPtr& object : onGrid)
        state.objects.push_back(kept(*object));
    // An object the grid holds is named by its place among them (row-major, as
    // its cell); one that left the grid is kept once, however many commands name it.
    std::vector<const GameObject*> left;
    const auto name = [&](GameObject& object, KeptCommand& command) {
        command.onGrid = grid.contains(object.x, object.y) &&
                         grid.at(object.x, object.y).get() == &object;
        if (command.onGrid) {
            const auto at = std::lower_bound(
                state.objects.begin(), state.objects.end(), object,
                [](const KeptObject& before, const GameObject& sought) {
                    return before.y < sought.y || (before.y == sought.y && before.x < sought.x);
                });
            command.object = static_cast<std::uint32_t>(at - state.objects.begin());
            return;
        }
        const auto at = std::find(left.begin(), left.end(), &object);
        command.object = static_cast<std::uint32_t>(at - left.begin());
        if (at == left.end()) {
            left.push_back(&object);
            state.offGrid.push_back(kept(object));
        }
    };
    state.commands.reserve(world.lastCommands.size());
    for (const CommandPtr& command : world.lastCommands) {
        KeptCommand keptCommand{};
        if (const auto* movement = dynamic_cast<const Movement*>(command.get())) {
            keptCommand = {true, true, 0, movement->fromX, movement->fromY, movement->toX,
                           movement->toY};
            name(*movement->subject, keptCommand);
        } else if (const auto* eat = dynamic_cast<const Eat*>(command.get())) {
            name(*eat->target, keptCommand);
        } else {
            continue; // the game issues no other command
        }
        state.commands.push_back(keptCommand);
    }
    return state;
}

void WorldState::restoreInto(World& world) const {
    for (const GameObjectPtr& object : world.grid.objects())
        world.grid.remove(object);
    world.pendingCommands.clear();
    world.lastCommands.clear();
    const auto made = [](const KeptObject& kept) {
        GameObjectPtr object = objectOf(kept.kind);
        object->x = kept.x;
        object->y = kept.y;
        object->turnCounter = kept.turnCounter;
        object->eaten = kept.eaten;
        return object;
    };
    std::vector<GameObjectPtr> onGrid;
    onGrid.reserve(objects.size());
    for (const KeptObject& kept : objects) {
        onGrid.push_back(made(kept));
        world.grid.put(onGrid.back(), kept.x, kept.y);
    }
    std::vector<GameObjectPtr> left;
    left.reserve(offGrid.size());
    for (const KeptObject& kept : offGrid)
        left.push_back(made(kept));
    world.lastCommands.reserve(commands.size());
    for (const KeptCommand& command : commands) {
        const GameObjectPtr& object =
            command.onGrid ? onGrid[command.object] : left[command.object];
        if (command.movement)
            world.lastCommands.push_back(makePooled<Movement>(object, command.fromX, command.fromY,
                                                              command.toX, command.toY));
        else
            world.lastCommands.push_back(makePooled<Eat>(object));
    }
    world.lastCommandsChanged();
    setRandomState(random);
}

std::size_t WorldState::bytes() const {
    return sizeof(WorldState) + objects.capacity() * sizeof(KeptObject) +
           offGrid.capacity() * sizeof(KeptObject) + commands.capacity() * sizeof(KeptCommand);
}
