#pragma once
// The window program's icon: the predator figure as the board draws it (a white
// circle with a black outline and an H over it, from app/Figures.h), at the
// sizes Windows asks for, written as an .ico file. Made at build time by
// make_icon.cpp; plain arithmetic, so it is tested on any system.
#include <cstdint>
#include <vector>

// The sizes the icon file holds, in pixels: the small icon and the large one at
// 100% to 200% display scaling, and the sizes of Explorer's views.
inline const std::vector<int> predatorIconSizes{16, 20, 24, 32, 40, 48, 64, 96, 128};

// One image of size x size pixels, rows from the top, 4 bytes a pixel: blue,
// green, red and alpha (not premultiplied). Edges are smoothed by coverage.
std::vector<std::uint8_t> predatorIconImage(int size);

// An .ico file holding one 32-bit image of each size.
std::vector<std::uint8_t> iconFile(const std::vector<int>& sizes);
