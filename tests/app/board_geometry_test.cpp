// Where the board lies in the window: cell sizes, which cell a click picks, and
// the rectangles of the hearing square and the sight fills, for ordinary and for
// absurd sizes and ranges alike.
#include <gtest/gtest.h>

#include <climits>

#include "GeometryPrinting.h"
#include "app/BoardGeometry.h"

namespace {

const BoardGeometry fortyPixelCells = boardGeometry(800, 600, 20, 15);

CellPosition clickOn(CellPosition current, int x, int y) {
    return selectionAfterClick(current, fortyPixelCells, 20, 15, x, y).value();
}

} // namespace

TEST(CellSize, IsTheClientAreaDividedAmongColumnsAndRows) {
    EXPECT_EQ(fortyPixelCells.cellWidth, 40);
    EXPECT_EQ(fortyPixelCells.cellHeight, 40);
    const BoardGeometry uneven = boardGeometry(810, 119, 20, 60);
    EXPECT_EQ(uneven.cellWidth, 40);
    EXPECT_EQ(uneven.cellHeight, 1);
}

TEST(CellSize, IsZeroWhenTheClientAreaIsSmallerThanTheGrid) {
    EXPECT_FALSE(boardGeometry(19, 600, 20, 15).hasCells());
    EXPECT_FALSE(boardGeometry(800, 14, 20, 15).hasCells());
    EXPECT_FALSE(boardGeometry(0, 0, 20, 15).hasCells());
    EXPECT_TRUE(boardGeometry(20, 15, 20, 15).hasCells());
}

TEST(Clicks, SelectTheCellUnderThePointer) {
    EXPECT_EQ(clickOn(noCell, 95, 41), (CellPosition{2, 1}));
    EXPECT_EQ(clickOn(noCell, 0, 0), (CellPosition{0, 0}));
}

TEST(Clicks, OnAGridLineSelectTheCellToItsRightAndBelow) {
    EXPECT_EQ(clickOn(noCell, 120, 80), (CellPosition{3, 2}));
    EXPECT_EQ(clickOn(noCell, 119, 79), (CellPosition{2, 1}));
}

TEST(Clicks, OnTheSelectedCellClearTheSelection) {
    EXPECT_EQ(clickOn({2, 1}, 95, 41), noCell);
}

TEST(Clicks, OnAnotherCellMoveTheSelectionThereAtOnce) {
    EXPECT_EQ(clickOn({2, 1}, 5, 5), (CellPosition{0, 0}));
}

TEST(Clicks, InTheStripPastTheLastColumnOrRowClearTheSelection) {
    const BoardGeometry wide = boardGeometry(810, 605, 20, 15);
    EXPECT_EQ(selectionAfterClick({2, 1}, wide, 20, 15, 805, 10), noCell);
    EXPECT_EQ(selectionAfterClick({2, 1}, wide, 20, 15, 10, 602), noCell);
    EXPECT_EQ(selectionAfterClick(noCell, wide, 20, 15, 799, 599), (CellPosition{19, 14}));
}

TEST(Clicks, DoNothingWhileCellsAreZeroPixels) {
    EXPECT_FALSE(selectionAfterClick({2, 1}, boardGeometry(10, 600, 20, 15), 20, 15, 5, 5));
}

TEST(HearingOutline, LiesOnePixelInsideTheGridLinesOfTheSelectedCell) {
    EXPECT_EQ(hearingOutline(fortyPixelCells, {5, 5}, 0), (PixelRect{201, 201, 239, 239}));
}

TEST(HearingOutline, GrowsByWholeCellsWithTheRange) {
    EXPECT_EQ(hearingOutline(fortyPixelCells, {5, 5}, 2), (PixelRect{121, 121, 319, 319}));
}

TEST(HearingOutline, HasItsSidesPastTheWindowJustOutsideIt) {
    EXPECT_EQ(hearingOutline(fortyPixelCells, {5, 5}, 7), (PixelRect{-1, -1, 519, 519}));
}

TEST(HearingOutline, StaysWithinReachForTheLargestRanges) {
    const BoardGeometry huge = boardGeometry(INT_MAX, INT_MAX, 1, 1);
    const PixelRect outline = hearingOutline(huge, {0, 0}, INT_MAX);
    EXPECT_EQ(outline.left, -1);
    EXPECT_EQ(outline.right, INT_MAX);
    EXPECT_EQ(hearingOutline(fortyPixelCells, {5, 5}, INT_MIN), (PixelRect{800, 600, -1, -1}));
}

TEST(HearingOutline, IsDrawnTurnedInsideOutForANegativeRange) {
    const PixelRect outline = hearingOutline(fortyPixelCells, {5, 5}, -1);
    EXPECT_EQ(outline.left, 241);
    EXPECT_EQ(outline.right, 199);
}

TEST(SightFill, Covers33By33PixelsOfAFortyPixelCellWithThreeClearOnEachSide) {
    EXPECT_EQ(sightFill(fortyPixelCells, {4, 4}), (PixelRect{164, 164, 197, 197}));
}

TEST(SightRange, IsCutToTheGrid) {
    const CellSpan corner = cellsWithin({0, 0}, 1, 20, 15);
    EXPECT_EQ(corner.first, (CellPosition{0, 0}));
    EXPECT_EQ(corner.last, (CellPosition{1, 1}));
    const CellSpan everything = cellsWithin({5, 5}, INT_MAX, 20, 15);
    EXPECT_EQ(everything.first, (CellPosition{0, 0}));
    EXPECT_EQ(everything.last, (CellPosition{19, 14}));
}

TEST(SightRange, IsEmptyWhenNegative) {
    const CellSpan none = cellsWithin({5, 5}, INT_MIN, 20, 15);
    EXPECT_GT(none.first.column, none.last.column);
    EXPECT_GT(none.first.row, none.last.row);
}
