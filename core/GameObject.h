#pragma once
// Everything that stands on the grid. An object carries its cell, its behaviour,
// a turn counter and an eaten flag; whatever describes its kind is read from the
// configuration when needed, through a visitor.
#include <cstdint>

#include "core/GameAI.h"
#include "core/GameObjectVisitor.h"
#include "core/Handles.h"

class GameObject {
public:
    explicit GameObject(GameAIPtr behaviour) : ai(behaviour) {}
    virtual ~GameObject() = default;
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    // Calls the visitor's visit for this object's own kind.
    virtual void accept(GameObjectVisitor& visitor) = 0;

    // The object's cell; written only by the grid when it places or moves it.
    std::int32_t x = -1;
    std::int32_t y = -1;
    GameAIPtr ai;
    // Ticks since the object last acted.
    std::int32_t turnCounter = 0;
    // Set by an Eat; the object leaves the grid at the end of that turn.
    bool eaten = false;
};

class Predator : public GameObject {
public:
    using GameObject::GameObject;
    void accept(GameObjectVisitor& visitor) override;
};

class Prey : public GameObject {
public:
    using GameObject::GameObject;
    void accept(GameObjectVisitor& visitor) override;
};

class Obstacle : public GameObject {
public:
    using GameObject::GameObject;
    void accept(GameObjectVisitor& visitor) override;
};
