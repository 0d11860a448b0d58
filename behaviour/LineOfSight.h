#pragma once
// Whether a viewer can see a cell past the objects whose kind blocks sight.
// Shared by hunting and by the board painting, always viewer first.
#include <cstdint>

// True when the cell holds an object whose kind's "blocks_los" is nonzero.
// The cell must lie inside the grid of theWorld.
bool blocksLineOfSight(std::int32_t x, std::int32_t y);

// Walks an integer (Bresenham) line between the two cells, both inside the grid.
// The target cell always counts; the viewer's own cell counts only when the walk
// starts there, that is when the viewer has the smaller major coordinate.
bool hasLineOfSight(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
