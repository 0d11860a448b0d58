#include "app/BoardGeometry.h"

#include <algorithm>
#include <utility>

namespace {

// Cell indices beyond this lie far outside any window; cutting them here keeps the
// pixel products within 64 bits for every 32-bit cell size.
constexpr std::int64_t farCell = std::int64_t{1} << 31;

// The pixel where the cell with this index begins along one axis.
std::int64_t cellEdge(std::int64_t index, std::int32_t cellSize) {
    return std::clamp(index, -farCell, farCell) * cellSize;
}

// A coordinate moved into -1 .. extent: what lies outside the area stays outside it.
int withinArea(std::int64_t pixel, std::int32_t extent) {
    return static_cast<int>(std::clamp<std::int64_t>(pixel, -1, extent));
}

std::int32_t cellSize(std::int32_t extent, std::int32_t cells) {
    return cells > 0 ? extent / cells : 0;
}

// The cells from centre - range to centre + range that lie in 0 .. count - 1.
std::pair<std::int32_t, std::int32_t> withinGrid(std::int32_t centre, std::int32_t range,
                                                 std::int32_t count) {
    if (range < 0)
        return {0, -1};
    const std::int64_t first = std::max<std::int64_t>(std::int64_t{centre} - range, 0);
    const std::int64_t last = std::min<std::int64_t>(std::int64_t{centre} + range, count - 1);
    return {static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)};
}

} // namespace

BoardGeometry boardGeometry(std::int32_t areaWidth, std::int32_t areaHeight, std::int32_t columns,
                            std::int32_t rows) {
    return {areaWidth, areaHeight, cellSize(areaWidth, columns), cellSize(areaHeight, rows)};
}

std::optional<CellPosition> selectionAfterClick(CellPosition current,
                                                const BoardGeometry& geometry,
                                                std::int32_t columns, std::int32_t rows, int x,
                                                int y) {
    if (!geometry.hasCells())
        return std::nullopt;
    const CellPosition clicked{x / geometry.cellWidth, y / geometry.cellHeight};
    const bool onGrid = x >= 0 && y >= 0 && clicked.column < columns && clicked.row < rows;
    if (!onGrid || clicked == current)
        return noCell;
    return clicked;
}

PixelRect hearingOutline(const BoardGeometry& geometry, CellPosition cell, std::int32_t hearing) {
    const std::int64_t range = hearing;
    const std::int64_t left = cellEdge(cell.column - range, geometry.cellWidth) + 1;
    const std::int64_t top = cellEdge(cell.row - range, geometry.cellHeight) + 1;
    const std::int64_t right = cellEdge(cell.column + range + 1, geometry.cellWidth) - 1;
    const std::int64_t bottom = cellEdge(cell.row + range + 1, geometry.cellHeight) - 1;
    return {withinArea(left, geometry.areaWidth), withinArea(top, geometry.areaHeight),
            withinArea(right, geometry.areaWidth), withinArea(bottom, geometry.areaHeight)};
}

PixelRect sightFill(const BoardGeometry& geometry, CellPosition cell) {
    const std::int64_t left = cellEdge(cell.column, geometry.cellWidth) + 4;
    const std::int64_t top = cellEdge(cell.row, geometry.cellHeight) + 4;
    const std::int64_t right = cellEdge(std::int64_t{cell.column} + 1, geometry.cellWidth) - 3;
    const std::int64_t bottom = cellEdge(std::int64_t{cell.row} + 1, geometry.cellHeight) - 3;
    return {withinArea(left, geometry.areaWidth), withinArea(top, geometry.areaHeight),
            withinArea(right, geometry.areaWidth), withinArea(bottom, geometry.areaHeight)};
}

CellSpan cellsWithin(CellPosition centre, std::int32_t range, std::int32_t columns,
                     std::int32_t rows) {
    const auto [firstColumn, lastColumn] = withinGrid(centre.column, range, columns);
    const auto [firstRow, lastRow] = withinGrid(centre.row, range, rows);
    return {{firstColumn, firstRow}, {lastColumn, lastRow}};
}
