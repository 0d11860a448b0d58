#include "app/BoardPainting.h"

#include <cstdint>
#include <optional>

#include "app/CellSelection.h"
#include "app/ClientGeometry.h"
#include "app/GdiPainter.h"
#include "app/SelectedCreature.h"
#include "core/World.h"

namespace {

constexpr COLORREF hearingColour = RGB(0, 255, 0);
constexpr COLORREF sightColour = RGB(255, 255, 128);

// The lines go on at the same pitch past the last column and row, to the edge
// of the client area.
void drawGridLines(HDC dc, const BoardGeometry& geometry) {
    for (std::int64_t x = 0; x < geometry.areaWidth; x += geometry.cellWidth) {
        drawLine(dc, static_cast<int>(x), 0, static_cast<int>(x), geometry.areaHeight);
    }
    for (std::int64_t y = 0; y < geometry.areaHeight; y += geometry.cellHeight) {
        drawLine(dc, 0, static_cast<int>(y), geometry.areaWidth, static_cast<int>(y));
    }
}

void drawHearing(HDC dc, const PixelRect& outline) {
    HPEN green = CreatePen(PS_SOLID, 1, hearingColour);
    HGDIOBJ previous = SelectObject(dc, green);
    drawOutline(dc, outline.left, outline.top, outline.right, outline.bottom);
    SelectObject(dc, previous);
    DeleteObject(green);
}

// Every cell of the sight square that the selected creature can see.
void drawSight(HDC dc, const BoardGeometry& geometry, const SelectedCreature& creature) {
    HBRUSH paleYellow = CreateSolidBrush(sightColour);
    const CellSpan span = sightSquare(creature);
    for (std::int32_t row = span.first.row; row <= span.last.row; ++row) {
        for (std::int32_t column = span.first.column; column <= span.last.column; ++column) {
            if (!seesCell(creature, {column, row}))
                continue;
            const PixelRect fill = sightFill(geometry, {column, row});
            const RECT rect{fill.left, fill.top, fill.right, fill.bottom};
            FillRect(dc, &rect, paleYellow);
        }
    }
    DeleteObject(paleYellow);
}

void drawSelection(HDC dc, const BoardGeometry& geometry) {
    if (selectedCell == noCell)
        return;
    const std::optional<SelectedCreature> creature = selectedCreatureAt(selectedCell);
    if (!creature)
        return;
    drawHearing(dc, hearingOutline(geometry, selectedCell, creature->hearing));
    if (creature->sight > 0)
        drawSight(dc, geometry, *creature);
}

void drawObjects(HDC dc, const BoardGeometry& geometry) {
    GdiPainter painter(dc, geometry);
    for (const GameObjectPtr& object : theWorld->grid.objects())
        object->accept(painter);
}

} // namespace

void paintBoard(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const BoardGeometry geometry = boardGeometryOf(window);
    // Cells of 0 pixels (a window smaller than the grid, or minimised) leave the
    // erased background alone.
    if (geometry.hasCells()) {
        drawGridLines(dc, geometry);
        drawSelection(dc, geometry);
        drawObjects(dc, geometry);
    }
    EndPaint(window, &paint);
}
