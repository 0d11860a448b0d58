#pragma once
// The predator icon for desktops other than Windows, which take their icons
// as PNG files (the freedesktop.org icon theme's hicolor folders): one image
// (PredatorIcon.h's pixels) as an 8-bit RGBA PNG, compressed with zlib.
#include <cstdint>
#include <vector>

// `bgra` holds size x size pixels as predatorIconImage gives them.
std::vector<std::uint8_t> pngFile(const std::vector<std::uint8_t>& bgra, int size);
