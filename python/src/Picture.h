#pragma once
// The board of theWorld as the window paints it: the window's own procedure
// paints a window of the offscreen back end (platform/offscreen/), whose
// client area is the grid with every cell `cellPixels` pixels square, with the
// marks of the selected cell when one is given (noCell: none). Returns the
// pixels as a PNG file. The caller holds the simulation (Simulation.h), since
// the painting reads theWorld and our Win32 layer serves one thread.
#include <cstdint>
#include <vector>

#include "app/BoardGeometry.h"

// The longest side a picture may have, in pixels (a picture of 8192 x 8192
// pixels holds 256 MB of pixels, and is drawn in several copies).
inline constexpr std::int64_t largestPictureSide = 8192;

// The cell size of a picture when none is asked for: cells of 32 pixels, or
// smaller ones down to 1 pixel so that the longer side of the picture stays
// within 1024 pixels.
int defaultCellPixels(std::int32_t columns, std::int32_t rows);

// Throws std::bad_alloc when the pixels do not fit into memory.
std::vector<std::uint8_t> boardPicture(int cellPixels, CellPosition selected);
