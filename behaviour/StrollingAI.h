#pragma once
// The behaviour of prey: one random step each time it acts.
#include "core/GameAI.h"

class StrollingAI : public GameAI {
public:
    // Draws the row offset, then the column offset (two rand() calls, always),
    // and tries to take that step.
    void act(GameObjectPtr self) override;
};
