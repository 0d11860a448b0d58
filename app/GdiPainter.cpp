#include "app/GdiPainter.h"

#include "app/Figures.h"

namespace {

CellPosition cellOf(const GameObject& object) { return {object.x, object.y}; }

void drawSegment(HDC dc, const PixelSegment& segment) {
    drawLine(dc, segment.from.x, segment.from.y, segment.to.x, segment.to.y);
}

void drawOutline(HDC dc, const PixelRect& rect) {
    drawOutline(dc, rect.left, rect.top, rect.right, rect.bottom);
}

} // namespace

void GdiPainter::visit(Predator& predator) {
    const PredatorFigure figure = predatorFigure(geometry, cellOf(predator));
    Ellipse(dc, figure.circle.left, figure.circle.top, figure.circle.right, figure.circle.bottom);
    drawSegment(dc, figure.leftBar);
    drawSegment(dc, figure.rightBar);
    drawSegment(dc, figure.crossBar);
}

void GdiPainter::visit(Prey& prey) { drawOutline(dc, preySquare(geometry, cellOf(prey))); }

void GdiPainter::visit(Obstacle& obstacle) {
    const PixelRect square = obstacleSquare(geometry, cellOf(obstacle));
    drawOutline(dc, square);
    drawLine(dc, square.left, square.top, square.right, square.bottom);
    drawLine(dc, square.left, square.bottom, square.right, square.top);
}

void drawLine(HDC dc, int fromX, int fromY, int toX, int toY) {
    MoveToEx(dc, fromX, fromY, nullptr);
    LineTo(dc, toX, toY);
}

void drawOutline(HDC dc, int left, int top, int right, int bottom) {
    drawLine(dc, left, top, left, bottom);
    drawLine(dc, left, bottom, right, bottom);
    drawLine(dc, right, bottom, right, top);
    drawLine(dc, right, top, left, top);
}
