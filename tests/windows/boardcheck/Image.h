#pragma once
// A screenshot as plain 8-bit RGB pixels, read from a binary PPM (P6) file as
// ImageMagick's `import` and `convert` write it.
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb green{0, 255, 0};
inline constexpr Rgb paleYellow{255, 255, 128};

std::string describe(Rgb colour);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Throws std::runtime_error with the file name when the file is no readable P6 image.
Image readPpm(const std::string& path);
