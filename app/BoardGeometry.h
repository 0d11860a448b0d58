#pragma once
// Where the board lies in the window: the size of a cell in pixels, and the
// pixel rectangles that clicks and painting take from it. Plain arithmetic with
// no window behind it. Divisions truncate; every grid line belongs to the cell
// to its right and below it.
#include <cstdint>
#include <optional>

struct CellPosition {
    std::int32_t column;
    std::int32_t row;
    bool operator==(const CellPosition&) const = default;
};

// The selection when no cell is selected.
inline constexpr CellPosition noCell{-1, -1};

struct BoardGeometry {
    std::int32_t areaWidth;
    std::int32_t areaHeight;
    std::int32_t cellWidth;
    std::int32_t cellHeight;
    // A client area narrower than the grid has columns, or lower than it has
    // rows, gives cells of 0 pixels: there is nothing to draw or to click.
    bool hasCells() const { return cellWidth > 0 && cellHeight > 0; }
};

// A rectangle for GDI, already cut to the client area where that matters.
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
    bool operator==(const PixelRect&) const = default;
};

BoardGeometry boardGeometry(std::int32_t areaWidth, std::int32_t areaHeight, std::int32_t columns,
                            std::int32_t rows);

// The selection after a click at pixel (x, y) on a grid of columns x rows: the
// clicked cell, or none when that cell was already selected or the click fell in
// the strip past the last column or row. Nothing (no change at all) when the
// cells are 0 pixels.
std::optional<CellPosition> selectionAfterClick(CellPosition current,
                                                const BoardGeometry& geometry,
                                                std::int32_t columns, std::int32_t rows, int x,
                                                int y);

// The hearing square of range `hearing` around `cell`, one pixel inside the grid
// lines of its outermost cells. Any range is allowed, negative and huge ones too:
// a side beyond the client area is moved to just outside it, so GDI gets small
// numbers and shows exactly the part that would be visible.
PixelRect hearingOutline(const BoardGeometry& geometry, CellPosition cell, std::int32_t hearing);

// The part of a cell in sight that is filled: 3 clear pixels stay beside each of
// the cell's grid lines.
PixelRect sightFill(const BoardGeometry& geometry, CellPosition cell);

// The cells within `range` of `centre` on both axes, cut to the grid. Empty (first
// after last) for a negative range.
struct CellSpan {
    CellPosition first;
    CellPosition last;
};
CellSpan cellsWithin(CellPosition centre, std::int32_t range, std::int32_t columns,
                     std::int32_t rows);
