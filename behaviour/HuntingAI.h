#pragma once
// The behaviour of predators: eat an eatable side neighbour, then follow a prey
// heard moving last turn or, hearing none, step towards the first eatable thing
// in sight.
#include <cstdint>

#include "core/GameAI.h"
#include "core/Handles.h"

class HuntingAI : public GameAI {
public:
    void act(GameObjectPtr self) override;
};

// The object in cell (x + dx, y + dy) of the creature when that cell is on the
// grid and holds something eatable; otherwise the empty handle.
GameObjectPtr eatableAt(GameObjectPtr creature, std::int32_t dx, std::int32_t dy);
