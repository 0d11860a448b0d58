#pragma once
// The software raster behind our device contexts: a 32-bit framebuffer and the
// three shapes GDI draws for the board, with GDI's pixel rules. Plain C++, no
// SDL and no Win32 types, so the rules can be tested pixel by pixel.
#include <cstdint>
#include <vector>

namespace win32layer {

// Pixels are 0x00RRGGBB, the order SDL calls RGB888.
using Pixel = std::uint32_t;

// A half-open box of pixels: left <= x < right, top <= y < bottom.
struct PixelBox {
    int left;
    int top;
    int right;
    int bottom;
    bool empty() const { return left >= right || top >= bottom; }
};

PixelBox intersection(const PixelBox& a, const PixelBox& b);
PixelBox boundingBox(const PixelBox& a, const PixelBox& b);

class Framebuffer {
public:
    // The content is undefined after a resize until something is painted.
    void resize(int width, int height);
    int width() const { return columns; }
    int height() const { return rows; }
    PixelBox bounds() const { return {0, 0, columns, rows}; }
    Pixel pixel(int x, int y) const { return pixels[index(x, y)]; }
    Pixel* row(int y) { return pixels.data() + index(0, y); }
    const Pixel* data() const { return pixels.data(); }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(columns) +
               static_cast<std::size_t>(x);
    }

    int columns = 0;
    int rows = 0;
    std::vector<Pixel> pixels;
};

// Draws into a framebuffer, never outside the clip box.
class Raster {
public:
    // GDI's own coordinate limit; shapes reaching past it are not drawn at all.
    static constexpr int coordinateLimit = 134217727;

    Raster(Framebuffer& target, const PixelBox& clip);

    void fill(const PixelBox& box, Pixel colour);
    // A 1-pixel line from (x0, y0) towards (x1, y1), the end point left out.
    void line(int x0, int y0, int x1, int y1, Pixel colour);
    // The ellipse inscribed in the box, its right and bottom edges excluded: a 1-pixel
    // outline with a filled inside.
    void ellipse(const PixelBox& box, Pixel outlineColour, Pixel insideColour);

private:
    void plot(int x, int y, Pixel colour);
    void span(int y, int fromX, int toX, Pixel colour);
    void slantedLine(int x0, int y0, int x1, int y1, Pixel colour);

    Framebuffer& framebuffer;
    PixelBox clip;
};

} // namespace win32layer
