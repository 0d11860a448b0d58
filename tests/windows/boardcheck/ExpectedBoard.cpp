#include "ExpectedBoard.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

const char* describe(Part part) {
    switch (part) {
    case Part::background:
        return "background";
    case Part::gridLine:
        return "grid line";
    case Part::hearingOutline:
        return "hearing outline";
    case Part::sightFill:
        return "sight fill";
    case Part::obstacle:
        return "obstacle figure";
    case Part::prey:
        return "prey figure";
    case Part::predatorCircle:
        return "predator circle";
    case Part::predatorH:
        return "predator H";
    }
    return "?";
}

ExpectedBoard::ExpectedBoard(int width, int height)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), Expectation{white}) {}

bool ExpectedBoard::allows(int x, int y, Rgb actual) const {
    const Expectation& expected = at(x, y);
    if (actual == expected.colour)
        return true;
    return expected.onCircle && (actual == black || actual == white);
}

void ExpectedBoard::set(int x, int y, Rgb colour, Part part) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[index(x, y)] = Expectation{colour, part, false};
}

// The board draws only straight and exactly diagonal lines, whose pixels every
// line algorithm agrees on.
void ExpectedBoard::line(int x0, int y0, int x1, int y1, Rgb colour, Part part) {
    const int dx = x1 - x0, dy = y1 - y0;
    if (dx != 0 && dy != 0 && std::abs(dx) != std::abs(dy))
        throw std::logic_error("only straight and diagonal lines have a known set of pixels");
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const int stepX = (dx > 0) - (dx < 0), stepY = (dy > 0) - (dy < 0);
    for (int i = 0; i < steps; ++i)
        set(x0 + i * stepX, y0 + i * stepY, colour, part);
}

// The four segments of the program's outline, each with its end point left out.
void ExpectedBoard::outline(int left, int top, int right, int bottom, Rgb colour, Part part) {
    line(left, top, left, bottom, colour, part);
    line(left, bottom, right, bottom, colour, part);
    line(right, bottom, right, top, colour, part);
    line(right, top, left, top, colour, part);
}

void ExpectedBoard::fill(int left, int top, int right, int bottom, Rgb colour, Part part) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            set(x, y, colour, part);
}

// The ellipse inscribed in the box with its right and bottom edges left out:
// its pixels run from left to right - 1, so the ideal outline passes through
// the centres of the outermost pixels.
void ExpectedBoard::circle(int left, int top, int right, int bottom) {
    const Circle c{(left + right - 1) / 2.0, (top + bottom - 1) / 2.0, (right - left - 1) / 2.0,
                   (bottom - top - 1) / 2.0};
    circles_.push_back(c);
    const int margin = static_cast<int>(std::ceil(circleTolerance));
    for (int y = top - margin; y < bottom + margin; ++y) {
        for (int x = left - margin; x < right + margin; ++x) {
            if (x < 0 || y < 0 || x >= width_ || y >= height_)
                continue;
            const double dx = x - c.centreX, dy = y - c.centreY;
            const double scaled = std::hypot(dx / std::max(c.radiusX, 0.5), dy / std::max(c.radiusY, 0.5));
            // Distance to the outline along the ray from the centre.
            const double distance = scaled > 0 ? std::hypot(dx, dy) * (1 - 1 / scaled) : -c.radiusX;
            Expectation& pixel = pixels_[index(x, y)];
            if (distance < -circleTolerance) {
                pixel = Expectation{white, Part::predatorCircle, false};
            } else if (distance <= circleTolerance) {
                pixel.colour = distance < 0 ? white : pixel.colour;
                pixel.part = Part::predatorCircle;
                pixel.onCircle = true;
            }
        }
    }
}
