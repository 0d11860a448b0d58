#include "WorldCensus.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

bool namedByLastCommands(const World& world, const GameObject* object) {
    return std::any_of(world.lastCommands.begin(), world.lastCommands.end(),
                       [object](const CommandPtr& command) {
                           const auto* move = dynamic_cast<const Movement*>(command.get());
                           const auto* eat = dynamic_cast<const Eat*>(command.get());
                           return (move && move->subject.get() == object) ||
                                  (eat && eat->target.get() == object);
                       });
}

std::string movementFault(const Grid& grid, const Movement& move) {
    if (!move.subject)
        return "a movement without a subject";
    if (!grid.contains(move.toX, move.toY) || !grid.contains(move.fromX, move.fromY))
        return "a movement off the grid";
    if (std::abs(move.toX - move.fromX) > 1 || std::abs(move.toY - move.fromY) > 1)
        return "a movement of more than one cell";
    return "";
}

} // namespace

void WorldCensus::take(const World& world) {
    for (const GameObjectPtr& object : world.grid.objects()) {
        objects.push_back(object);
        behaviours.push_back(object->ai);
    }
    takeCommands(world);
}

void WorldCensus::takeCommands(const World& world) {
    for (const CommandPtr& command : world.lastCommands)
        commands.push_back(command);
}

std::size_t WorldCensus::alive() const {
    const auto living = [](const auto& list) {
        return static_cast<std::size_t>(std::count_if(
            list.begin(), list.end(), [](const auto& weak) { return !weak.expired(); }));
    };
    return living(objects) + living(behaviours) + living(commands);
}

std::string WorldCensus::ownershipFault(const World& world, const WorldCensus& census) {
    for (const boost::weak_ptr<GameObject>& weak : census.objects) {
        const GameObjectPtr object = weak.lock();
        if (!object)
            continue;
        const Grid& grid = world.grid;
        const bool onGrid = grid.contains(object->x, object->y) &&
                            grid.at(object->x, object->y) == object;
        if (!onGrid && !namedByLastCommands(world, object.get()))
            return "an object off the grid outlived the commands of its last turn";
    }
    return "";
}

std::string WorldCensus::turnFault(const World& world) {
    if (!world.pendingCommands.empty())
        return "commands left pending after a turn";
    const Grid& grid = world.grid;
    try {
        grid.checkInvariants();
    } catch (const std::logic_error& fault) {
        return fault.what();
    }
    for (const GameObjectPtr& object : grid.objects()) {
        if (object->eaten || !object->ai)
            return "an eaten object or one without behaviour on the grid";
    }
    for (const CommandPtr& command : world.lastCommands) {
        if (const auto* move = dynamic_cast<const Movement*>(command.get())) {
            if (std::string fault = movementFault(grid, *move); !fault.empty())
                return fault;
        }
    }
    return "";
}

std::string playAndCheck(const std::string& configFile, std::uint32_t turns) {
    std::srand(1);
    WorldCensus census;
    {
        auto world = std::make_unique<World>(configFile);
        theWorld = world.get();
        census.take(*world);
        const bool playable = world->grid.width > 0 && world->grid.height > 0;
        for (std::uint32_t turn = 0; playable && turn < turns; ++turn) {
            std::string fault;
            try {
                world->step(); // in debug builds the turn checks the grid itself
                census.takeCommands(*world);
                fault = WorldCensus::turnFault(*world);
            } catch (const std::logic_error& broken) {
                fault = broken.what();
            }
            if (fault.empty())
                fault = WorldCensus::ownershipFault(*world, census);
            if (!fault.empty())
                return fault + " after turn " + std::to_string(turn + 1);
        }
        theWorld = nullptr;
    }
    if (census.alive() != 0)
        return std::to_string(census.alive()) + " objects, behaviours or commands outlived the World";
    return "";
}
