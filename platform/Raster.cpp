#include "platform/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace win32layer {

namespace {

bool withinLimit(int value) {
    return value >= -Raster::coordinateLimit && value <= Raster::coordinateLimit;
}

std::int64_t magnitude(std::int64_t value) { return value < 0 ? -value : value; }

int sign(std::int64_t value) { return value < 0 ? -1 : 1; }

// The steps k in [0, steps) whose major coordinate start + direction * k lies in
// [low, high): the part of a line the clip box lets through.
std::pair<std::int64_t, std::int64_t> visibleSteps(std::int64_t start, int direction,
                                                   std::int64_t steps, std::int64_t low,
                                                   std::int64_t high) {
    std::int64_t first = direction > 0 ? low - start : start - high + 1;
    std::int64_t last = direction > 0 ? high - start : start - low + 1;
    return {std::max<std::int64_t>(first, 0), std::min(last, steps)};
}

// The ellipse inscribed in a box, row by row. In doubled coordinates a pixel's
// centre lies 2x + 1 - (left + right) from the ellipse's centre and the half axes
// are the box's width and height; double holds that exactly for boxes up to 8192
// pixels a side.
struct Run {
    int from;
    int to;
};

class EllipseRows {
public:
    explicit EllipseRows(const PixelBox& bounds)
        : box(bounds), a(static_cast<double>(bounds.right) - bounds.left),
          b(static_cast<double>(bounds.bottom) - bounds.top),
          sumX(static_cast<double>(bounds.left) + bounds.right),
          sumY(static_cast<double>(bounds.top) + bounds.bottom) {}

    // The inside of row y, [from, to); empty outside the box.
    Run run(int y) const {
        if (y < box.top || y >= box.bottom)
            return {0, 0};
        const double dy = 2.0 * y + 1.0 - sumY;
        const double halfWidth = a * std::sqrt(std::max(0.0, 1.0 - dy * dy / (b * b)));
        // The square root only estimates the edge; the exact test settles it.
        auto from = static_cast<int>(std::ceil((sumX - halfWidth - 1.0) / 2.0));
        while (from > box.left && contains(from - 1, y))
            --from;
        while (from < box.right && !contains(from, y))
            ++from;
        return {from, std::max(from, box.left + box.right - from)};
    }

private:
    bool contains(int x, int y) const {
        const double dx = 2.0 * x + 1.0 - sumX;
        const double dy = 2.0 * y + 1.0 - sumY;
        return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
    }

    PixelBox box;
    double a;
    double b;
    double sumX;
    double sumY;
};

} // namespace

PixelBox intersection(const PixelBox& a, const PixelBox& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

PixelBox boundingBox(const PixelBox& a, const PixelBox& b) {
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void Framebuffer::resize(int width, int height) {
    columns = std::max(width, 0);
    rows = std::max(height, 0);
    pixels.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
}

Raster::Raster(Framebuffer& target, const PixelBox& clipBox)
    : framebuffer(target), clip(intersection(clipBox, target.bounds())) {}

void Raster::plot(int x, int y, Pixel colour) {
    if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom)
        framebuffer.row(y)[x] = colour;
}

// Pixels fromX .. toX - 1 of row y, as far as the clip box allows.
void Raster::span(int y, int fromX, int toX, Pixel colour) {
    if (y < clip.top || y >= clip.bottom)
        return;
    const int left = std::max(fromX, clip.left);
    const int right = std::min(toX, clip.right);
    if (left < right)
        std::fill(framebuffer.row(y) + left, framebuffer.row(y) + right, colour);
}

void Raster::fill(const PixelBox& box, Pixel colour) {
    const PixelBox visible = intersection(box, clip);
    for (int y = visible.top; y < visible.bottom; ++y)
        span(y, visible.left, visible.right, colour);
}

void Raster::line(int x0, int y0, int x1, int y1, Pixel colour) {
    if (!withinLimit(x0) || !withinLimit(y0) || !withinLimit(x1) || !withinLimit(y1))
        return;
    if (y0 == y1) {
        // Grid lines are almost all straight: draw them as spans, not pixel by pixel.
        if (x0 <= x1)
            span(y0, x0, x1, colour);
        else
            span(y0, x1 + 1, x0 + 1, colour);
        return;
    }
    if (x0 == x1) {
        const int top = std::max(y0 <= y1 ? y0 : y1 + 1, clip.top);
        const int bottom = std::min(y0 <= y1 ? y1 : y0 + 1, clip.bottom);
        if (x0 >= clip.left && x0 < clip.right) {
            for (int y = top; y < bottom; ++y)
                framebuffer.row(y)[x0] = colour;
        }
        return;
    }
    slantedLine(x0, y0, x1, y1, colour);
}

// Bresenham: one pixel per step along the major axis; the minor coordinate is the
// exact one rounded, halves away from the start. The walk begins at the first
// step inside the clip box, so a long line costs only its visible part.
void Raster::slantedLine(int x0, int y0, int x1, int y1, Pixel colour) {
    const bool steep = std::abs(std::int64_t{y1} - y0) > std::abs(std::int64_t{x1} - x0);
    const std::int64_t a0 = steep ? y0 : x0;
    const std::int64_t b0 = steep ? x0 : y0;
    const std::int64_t da = (steep ? y1 : x1) - a0;
    const std::int64_t db = (steep ? x1 : y1) - b0;
    const std::int64_t steps = magnitude(da);
    const auto [first, last] =
        steep ? visibleSteps(a0, sign(da), steps, clip.top, clip.bottom)
              : visibleSteps(a0, sign(da), steps, clip.left, clip.right);
    // The minor offset at step k is (2k|db| + steps) / (2 steps), kept as quotient and rest.
    const std::int64_t rise = 2 * magnitude(db);
    const std::int64_t run = 2 * steps;
    std::int64_t offset = (first * rise + steps) / run;
    std::int64_t rest = (first * rise + steps) % run;
    for (std::int64_t k = first; k < last; ++k) {
        const std::int64_t a = a0 + sign(da) * k;
        const std::int64_t b = b0 + sign(db) * offset;
        plot(static_cast<int>(steep ? b : a), static_cast<int>(steep ? a : b), colour);
        rest += rise;
        if (rest >= run) {
            rest -= run;
            ++offset;
        }
    }
}

void Raster::ellipse(const PixelBox& box, Pixel outlineColour, Pixel insideColour) {
    if (box.empty() || !withinLimit(box.left) || !withinLimit(box.top) ||
        !withinLimit(box.right) || !withinLimit(box.bottom))
        return;
    const EllipseRows rows(box);
    const int top = std::max(box.top, clip.top);
    const int bottom = std::min(box.bottom, clip.bottom);
    for (int y = top; y < bottom; ++y) {
        const Run here = rows.run(y);
        const Run above = rows.run(y - 1);
        const Run below = rows.run(y + 1);
        // Inside pixels that the rows above and below do not reach lie on the outline.
        const int innerFrom = std::max({here.from + 1, above.from, below.from});
        const int innerTo = std::min({here.to - 1, above.to, below.to});
        span(y, here.from, here.to, outlineColour);
        if (innerFrom < innerTo)
            span(y, innerFrom, innerTo, insideColour);
    }
}

} // namespace win32layer
