#include "core/PropertyQueries.h"

#include <climits>
#include <cstring>

#include "core/World.h"

namespace {

constexpr std::string_view predatorPrefix = "predator.";
constexpr std::string_view preyPrefix = "prey.";
constexpr std::string_view obstaclePrefix = "obstacle.";

// Answers the property for an object at hand without copying the name; the
// same key as PropertyVisitor builds.
class QuickPropertyVisitor : public GameObjectVisitor {
public:
    explicit QuickPropertyVisitor(std::string_view propertyName) : name(propertyName) {}
    void visit(Predator&) override { value = readKindSetting(predatorPrefix, name); }
    void visit(Prey&) override { value = readKindSetting(preyPrefix, name); }
    void visit(Obstacle&) override { value = readKindSetting(obstaclePrefix, name); }

    int value = 0;
    std::string_view name;
};

} // namespace

int readKindSetting(std::string_view prefix, std::string_view name) {
    // Every query forms its key anew; a stack buffer keeps that free of the heap.
    char key[64];
    if (prefix.size() + name.size() > sizeof key)
        return theWorld->config.getInt(std::string(prefix).append(name));
    std::memcpy(key, prefix.data(), prefix.size());
    std::memcpy(key + prefix.size(), name.data(), name.size());
    return theWorld->config.getInt(std::string_view(key, prefix.size() + name.size()));
}

void PropertyVisitor::visit(Predator&) { value = readKindSetting(predatorPrefix, name); }
void PropertyVisitor::visit(Prey&) { value = readKindSetting(preyPrefix, name); }
void PropertyVisitor::visit(Obstacle&) { value = readKindSetting(obstaclePrefix, name); }

void GetReactionTime::visit(Predator&) {
    value = theWorld->config.getInt("predator.reaction_time");
}
void GetReactionTime::visit(Prey&) { value = theWorld->config.getInt("prey.reaction_time"); }
void GetReactionTime::visit(Obstacle&) { value = INT_MAX; }

int queryProperty(GameObjectPtr object, const std::string& name) {
    PropertyVisitor visitor(name);
    object->accept(visitor);
    return visitor.value;
}

int queryProperty(GameObject& object, std::string_view name) {
    QuickPropertyVisitor visitor(name);
    object.accept(visitor);
    return visitor.value;
}
