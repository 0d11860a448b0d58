#pragma once
// What the window must show, pixel by pixel, drawn with the pixel rules of GDI:
// a line leaves out its end point, a fill covers left <= x < right and
// top <= y < bottom. The one thing the rules leave open is which pixels an
// ellipse's outline takes, so a pixel within a pixel of the ideal circle may be
// black, the circle's white inside or what lay under it.
#include <cstdint>
#include <vector>

#include "Image.h"

// What drew a pixel: named in failure reports.
enum class Part : std::uint8_t { background, gridLine, hearingOutline, sightFill, obstacle, prey, predatorCircle, predatorH };
const char* describe(Part part);

struct Expectation {
    Rgb colour;        // the colour required, or the one under a circle's outline
    Part part = Part::background;
    bool onCircle = false;
};

class ExpectedBoard {
public:
    ExpectedBoard(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    const Expectation& at(int x, int y) const { return pixels_[index(x, y)]; }
    bool allows(int x, int y, Rgb actual) const;

    // Drawing; pixels outside the board are left out.
    void line(int x0, int y0, int x1, int y1, Rgb colour, Part part);
    void outline(int left, int top, int right, int bottom, Rgb colour, Part part);
    void fill(int left, int top, int right, int bottom, Rgb colour, Part part);
    void circle(int left, int top, int right, int bottom);

    // Every pixel that may be a circle's outline, with the circle's centre.
    struct Circle {
        double centreX, centreY, radiusX, radiusY;
    };
    const std::vector<Circle>& circles() const { return circles_; }

    // How far from the ideal outline a pixel may lie and still be its ink.
    static constexpr double circleTolerance = 1.0;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }
    void set(int x, int y, Rgb colour, Part part);

    int width_;
    int height_;
    std::vector<Expectation> pixels_;
    std::vector<Circle> circles_;
};
