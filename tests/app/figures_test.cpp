// The figures of the kinds, in pixels, for square and for oblong cells.
#include <gtest/gtest.h>

#include "app/Figures.h"

namespace {

const BoardGeometry fortyPixelCells = boardGeometry(800, 600, 20, 15);
const BoardGeometry oblongCells = boardGeometry(1200, 600, 20, 20); // 60 x 30

void expectRect(const PixelRect& rect, int left, int top, int right, int bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

void expectSegment(const PixelSegment& segment, int x0, int y0, int x1, int y1) {
    EXPECT_EQ(segment.from.x, x0);
    EXPECT_EQ(segment.from.y, y0);
    EXPECT_EQ(segment.to.x, x1);
    EXPECT_EQ(segment.to.y, y1);
}

} // namespace

TEST(PredatorFigure, IsACircleWithAnHAroundTheCellCentre) {
    const PredatorFigure figure = predatorFigure(fortyPixelCells, {0, 0});
    expectRect(figure.circle, 7, 7, 33, 33);
    expectSegment(figure.leftBar, 16, 16, 16, 24);
    expectSegment(figure.rightBar, 24, 16, 24, 24);
    expectSegment(figure.crossBar, 16, 20, 24, 20);
}

TEST(PredatorFigure, TakesItsCircleFromTheSmallerSideAndItsHFromEachSide) {
    EXPECT_EQ(oblongCells.cellWidth, 60);
    EXPECT_EQ(oblongCells.cellHeight, 30);
    const PredatorFigure figure = predatorFigure(oblongCells, {0, 0});
    expectRect(figure.circle, 20, 5, 40, 25);
    expectSegment(figure.leftBar, 24, 12, 24, 18);
    expectSegment(figure.crossBar, 24, 15, 36, 15);
}

TEST(PredatorFigure, MovesWithItsCell) {
    const PredatorFigure figure = predatorFigure(fortyPixelCells, {3, 2});
    expectRect(figure.circle, 127, 87, 153, 113);
}

TEST(PreyFigure, IsASmallSquare) {
    expectRect(preySquare(fortyPixelCells, {0, 0}), 12, 12, 28, 28);
    expectRect(preySquare(oblongCells, {0, 0}), 24, 9, 36, 21);
}

TEST(ObstacleFigure, IsALargerSquare) {
    expectRect(obstacleSquare(fortyPixelCells, {0, 0}), 7, 7, 33, 33);
    expectRect(obstacleSquare(oblongCells, {1, 1}), 80, 35, 100, 55);
}
