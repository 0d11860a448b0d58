#pragma once
// Kind properties, read from the configuration of theWorld at every use under
// the kind's prefix ("predator.", "prey.", "obstacle.") and the property's name.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/GameObject.h"
#include "core/GameObjectVisitor.h"

// Reads the integer setting `name` of the visited object's kind.
class PropertyVisitor : public GameObjectVisitor {
public:
    explicit PropertyVisitor(const std::string& propertyName) : name(propertyName) {}
    void visit(Predator& predator) override;
    void visit(Prey& prey) override;
    void visit(Obstacle& obstacle) override;

    std::int32_t value = 0;
    std::string name;
};

// Reads the reaction time of the visited object's kind; an obstacle's is INT_MAX.
class GetReactionTime : public GameObjectVisitor {
public:
    void visit(Predator& predator) override;
    void visit(Prey& prey) override;
    void visit(Obstacle& obstacle) override;

    std::int32_t value = 0;
};

// The integer property `name` of the object's kind; the object must exist.
int queryProperty(GameObjectPtr object, const std::string& name);
// The same for an object at hand, without copying its handle or the name.
int queryProperty(GameObject& object, std::string_view name);

// The setting under prefix + name, read from the configuration of theWorld.
int readKindSetting(std::string_view prefix, std::string_view name);
