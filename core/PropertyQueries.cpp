#include "core/PropertyQueries.h"

#include <climits>

#include "core/World.h"

namespace {

// The setting under prefix + name, read from the configuration of theWorld.
int readKindSetting(std::string_view prefix, const std::string& name) {
    return theWorld->config.getInt(std::string(prefix).append(name));
}

} // namespace

void PropertyVisitor::visit(Predator&) { value = readKindSetting(predatorPrefix.view(), name); }
void PropertyVisitor::visit(Prey&) { value = readKindSetting(preyPrefix.view(), name); }
void PropertyVisitor::visit(Obstacle&) { value = readKindSetting(obstaclePrefix.view(), name); }

void GetReactionTime::visit(Predator&) {
    value = theWorld->config.getInt("predator.reaction_time");
}
void GetReactionTime::visit(Prey&) { value = theWorld->config.getInt("prey.reaction_time"); }
void GetReactionTime::visit(Obstacle&) { value = obstacleReactionTime; }

int queryProperty(GameObjectPtr object, const std::string& name) {
    return queryProperty(*object, name);
}

int queryProperty(GameObject& object, std::string_view name) {
    PropertyVisitor visitor{std::string(name)};
    object.accept(visitor);
    return visitor.value;
}
