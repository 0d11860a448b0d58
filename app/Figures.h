#pragma once
// The line figures that stand for the kinds of object, in pixels, for the cell
// they stand in. Each figure is centred in its cell and scaled to the cell's
// smaller side, so it stays square in cells that are not.
#include "app/BoardGeometry.h"

struct PixelPoint {
    int x;
    int y;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelSegment {
    PixelPoint from;
    PixelPoint to;
    bool operator==(const PixelSegment&) const = default;
};

// A predator: a circle (the box it is inscribed in) with an H drawn over it.
struct PredatorFigure {
    PixelRect circle;
    PixelSegment leftBar;
    PixelSegment rightBar;
    PixelSegment crossBar;
};

PredatorFigure predatorFigure(const BoardGeometry& geometry, CellPosition cell);
// A prey: a small square outline.
PixelRect preySquare(const BoardGeometry& geometry, CellPosition cell);
// An obstacle: a larger square outline, which the painter crosses with both diagonals.
PixelRect obstacleSquare(const BoardGeometry& geometry, CellPosition cell);
