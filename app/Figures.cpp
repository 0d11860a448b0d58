#include "app/Figures.h"

#include <algorithm>

namespace {

// Figures stand in cells of the grid, and the grid lies inside the client area,
// so every coordinate here fits in an int.
PixelPoint centreOf(const BoardGeometry& geometry, CellPosition cell) {
    return {cell.column * geometry.cellWidth + geometry.cellWidth / 2,
            cell.row * geometry.cellHeight + geometry.cellHeight / 2};
}

int smallerSide(const BoardGeometry& geometry) {
    return std::min(geometry.cellWidth, geometry.cellHeight);
}

PixelRect squareAround(PixelPoint centre, int halfSide) {
    return {centre.x - halfSide, centre.y - halfSide, centre.x + halfSide, centre.y + halfSide};
}

} // namespace

PredatorFigure predatorFigure(const BoardGeometry& geometry, CellPosition cell) {
    const PixelPoint c = centreOf(geometry, cell);
    // Two thirds of the cell across; for every size this is a third of it.
    const int radius = smallerSide(geometry) / 3;
    const int e = geometry.cellWidth / 10;
    const int f = geometry.cellHeight / 10;
    return {squareAround(c, radius),
            {{c.x - e, c.y - f}, {c.x - e, c.y + f}},
            {{c.x + e, c.y - f}, {c.x + e, c.y + f}},
            {{c.x - e, c.y}, {c.x + e, c.y}}};
}

PixelRect preySquare(const BoardGeometry& geometry, CellPosition cell) {
    return squareAround(centreOf(geometry, cell), smallerSide(geometry) / 5);
}

PixelRect obstacleSquare(const BoardGeometry& geometry, CellPosition cell) {
    return squareAround(centreOf(geometry, cell), smallerSide(geometry) / 3);
}
