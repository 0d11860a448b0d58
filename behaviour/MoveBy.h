#pragma once
// The one way creatures move: a step of at most one cell per axis becomes a
// queued Movement, if the cell of the step is empty at the start of the turn.
#include <cstdint>

#include "core/Handles.h"

// A step off the grid is clamped per axis; a step into an occupied cell (or no
// step at all) issues nothing.
void moveBy(GameObjectPtr creature, std::int32_t dx, std::int32_t dy);
