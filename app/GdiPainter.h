#pragma once
// Draws one object as its kind's line figure with the device context's current
// pen (and, inside a predator's circle, its current brush). One painter serves a
// whole paint and owns nothing: the device context stays the paint's.
#include <windows.h>

#include "app/BoardGeometry.h"
#include "core/GameObject.h"
#include "core/GameObjectVisitor.h"

class GdiPainter : public GameObjectVisitor {
public:
    GdiPainter(HDC paintDc, const BoardGeometry& board) : dc(paintDc), geometry(board) {}

    void visit(Predator& predator) override;
    void visit(Prey& prey) override;
    void visit(Obstacle& obstacle) override;

private:
    HDC dc;
    BoardGeometry geometry;
};

// A line with its own starting move, so it never depends on where the last one
// ended; the end point itself is not drawn.
void drawLine(HDC dc, int fromX, int fromY, int toX, int toY);

// The outline of a rectangle as four lines: down the left side, along the bottom,
// up the right side, back along the top.
void drawOutline(HDC dc, int left, int top, int right, int bottom);
