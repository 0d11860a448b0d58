#pragma once
// Kind properties, read from the configuration of theWorld at every use under
// the kind's prefix ("predator.", "prey.", "obstacle.") and the property's name.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/GameObject.h"
#include "core/GameObjectVisitor.h"
#include "core/KindIndex.h"
#include "core/World.h"

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

// An obstacle never acts while its counter can still grow.
inline constexpr std::int32_t obstacleReactionTime = INT_MAX;

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
// The same for an object at hand, without copying its handle.
int queryProperty(GameObject& object, std::string_view name);

// A kind prefix or a property name written into the program, as in
// queryProperty<"eatable">(object).
template <std::size_t N> struct KeyPart {
    constexpr KeyPart(const char (&part)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            text[i] = part[i];
    }
    static constexpr std::size_t length = N - 1;
    constexpr std::string_view view() const { return {text, length}; }
    char text[N];
};

// The prefixes of the kinds' settings.
inline constexpr KeyPart predatorPrefix = "predator.";
inline constexpr KeyPart preyPrefix = "prey.";
inline constexpr KeyPart obstaclePrefix = "obstacle.";

// The setting under Prefix + Name. The key is formed and looked up anew at every
// call, like any other; with both parts known to the compiler, it can form the
// key with a few stores and hash it without reading those bytes back.
template <KeyPart Prefix, KeyPart Name> int readKindSetting() {
    char key[Prefix.length + Name.length];
    for (std::size_t i = 0; i < Prefix.length; ++i)
        key[i] = Prefix.text[i];
    for (std::size_t i = 0; i < Name.length; ++i)
        key[Prefix.length + i] = Name.text[i];
    return theWorld->config.getInt(std::string_view(key, sizeof key));
}

// The setting Name of a kind, read like queryProperty<Name> reads it for an
// object of that kind.
template <KeyPart Name> int kindSetting(Kind kind) {
    switch (kind) {
    case Kind::predator:
        return readKindSetting<predatorPrefix, Name>();
    case Kind::prey:
        return readKindSetting<preyPrefix, Name>();
    case Kind::obstacle:
        break;
    }
    return readKindSetting<obstaclePrefix, Name>();
}

// Answers queryProperty<Name> for each kind.
template <KeyPart Name> class NamedPropertyVisitor final : public GameObjectVisitor {
public:
    void visit(Predator&) override { value = readKindSetting<predatorPrefix, Name>(); }
    void visit(Prey&) override { value = readKindSetting<preyPrefix, Name>(); }
    void visit(Obstacle&) override { value = readKindSetting<obstaclePrefix, Name>(); }

    int value = 0;
};

// The integer property Name of the object's kind, for the simulation's own
// frequent queries ("eatable", "blocks_los"); the same answer as
// queryProperty(object, name).
template <KeyPart Name> int queryProperty(GameObject& object) {
    NamedPropertyVisitor<Name> visitor;
    object.accept(visitor);
    return visitor.value;
}
