#pragma once
// One image as an 8-bit RGBA PNG file, compressed with zlib: the predator icon
// for desktops other than Windows, which take their icons as PNG files (the
// freedesktop.org icon theme's hicolor folders), and the pictures of the board
// that the Python module makes.
#include <cstdint>
#include <vector>

// `bgra` holds width x height pixels row by row, 4 bytes each (blue, green,
// red, alpha), as predatorIconImage gives them.
std::vector<std::uint8_t> pngFile(const std::vector<std::uint8_t>& bgra, int width, int height);

// A square image of size x size pixels.
inline std::vector<std::uint8_t> pngFile(const std::vector<std::uint8_t>& bgra, int size) {
    return pngFile(bgra, size, size);
}
