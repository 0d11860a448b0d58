#pragma once
// What a creature decides when its turn comes. A behaviour never changes the
// board itself: it issues commands, which run after every object had its tick.
#include "core/Handles.h"

class GameAI {
public:
    virtual ~GameAI() = default;
    // Decides this turn's action of the object that `self` holds.
    virtual void act(GameObjectPtr self) = 0;
};

// The behaviour of things that never act, such as obstacles.
class NothingAI : public GameAI {
public:
    void act(GameObjectPtr self) override;
};
