// The figures of the kinds, in pixels, for square and for oblong cells.
#include <gtest/gtest.h>

#include "GeometryPrinting.h"
#include "app/Figures.h"

namespace {

const BoardGeometry fortyPixelCells = boardGeometry(800, 600, 20, 15);
const BoardGeometry oblongCells = boardGeometry(1200, 600, 20, 20); // 60 x 30

} // namespace

TEST(PredatorFigure, IsACircleWithAnHAroundTheCellCentre) {
    const PredatorFigure figure = predatorFigure(fortyPixelCells, {0, 0});
    EXPECT_EQ(figure.circle, (PixelRect{7, 7, 33, 33}));
    EXPECT_EQ(figure.leftBar, (PixelSegment{{16, 16}, {16, 24}}));
    EXPECT_EQ(figure.rightBar, (PixelSegment{{24, 16}, {24, 24}}));
    EXPECT_EQ(figure.crossBar, (PixelSegment{{16, 20}, {24, 20}}));
}

TEST(PredatorFigure, TakesItsCircleFromTheSmallerSideAndItsHFromEachSide) {
    EXPECT_EQ(oblongCells.cellWidth, 60);
    EXPECT_EQ(oblongCells.cellHeight, 30);
    const PredatorFigure figure = predatorFigure(oblongCells, {0, 0});
    EXPECT_EQ(figure.circle, (PixelRect{20, 5, 40, 25}));
    EXPECT_EQ(figure.leftBar, (PixelSegment{{24, 12}, {24, 18}}));
    EXPECT_EQ(figure.crossBar, (PixelSegment{{24, 15}, {36, 15}}));
}

TEST(PredatorFigure, MovesWithItsCell) {
    const PredatorFigure figure = predatorFigure(fortyPixelCells, {3, 2});
    EXPECT_EQ(figure.circle, (PixelRect{127, 87, 153, 113}));
}

TEST(PreyFigure, IsASmallSquare) {
    EXPECT_EQ(preySquare(fortyPixelCells, {0, 0}), (PixelRect{12, 12, 28, 28}));
    EXPECT_EQ(preySquare(oblongCells, {0, 0}), (PixelRect{24, 9, 36, 21}));
}

TEST(ObstacleFigure, IsALargerSquare) {
    EXPECT_EQ(obstacleSquare(fortyPixelCells, {0, 0}), (PixelRect{7, 7, 33, 33}));
    EXPECT_EQ(obstacleSquare(oblongCells, {1, 1}), (PixelRect{80, 35, 100, 55}));
}
