#pragma once
// What a predator hears: the prey moves of the previous turn, kept in
// lastCommands of theWorld. A move is heard when its destination or its origin
// lies within the hearing range; the first heard move in command order counts.
#include <cstdint>
#include <optional>

#include "core/MoveIndex.h"

// The first prey move in lastCommands that a listener at (x, y) with the given
// range hears, or nothing. A negative range hears nothing.
std::optional<HeardMove> firstHeardMove(std::int32_t x, std::int32_t y, std::int32_t range);
