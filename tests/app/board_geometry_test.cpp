// Where the board lies in the window: cell sizes, which cell a click picks, and
// the rectangles of the hearing square and the sight fills, for ordinary and for
// absurd sizes and ranges alike.
#include <gtest/gtest.h>

#include <climits>

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
    const PixelRect outline = hearingOutline(fortyPixelCells, {5, 5}, 0);
    EXPECT_EQ(outline.left, 201);
    EXPECT_EQ(outline.top, 201);
    EXPECT_EQ(outline.right, 239);
    EXPECT_EQ(outline.bottom, 239);
}

TEST(HearingOutline, GrowsByWholeCellsWithTheRange) {
    const PixelRect outline = hearingOutline(fortyPixelCells, {5, 5}, 2);
    EXPECT_EQ(outline.left, 121);
    EXPECT_EQ(outline.top, 121);
    EXPECT_EQ(outline.right, 319);
    EXPECT_EQ(outline.bottom, 319);
}

TEST(HearingOutline, HasItsSidesPastTheWindowJustOutsideIt) {
    const PixelRect outline = hearingOutline(fortyPixelCells, {5, 5}, 7);
    EXPECT_EQ(outline.left, -1);
    EXPECT_EQ(outline.top, -1);
    EXPECT_EQ(outline.right, 519);
    EXPECT_EQ(outline.bottom, 519);
}

TEST(HearingOutline, StaysWithinReachForTheLargestRanges) {
    const BoardGeometry huge = boardGeometry(INT_MAX, INT_MAX, 1, 1);
    const PixelRect outline = hearingOutline(huge, {0, 0}, INT_MAX);
    EXPECT_EQ(outline.left, -1);
    EXPECT_EQ(outline.right, INT_MAX);
    const PixelRect inverted = hearingOutline(fortyPixelCells, {5, 5}, INT_MIN);
    EXPECT_EQ(inverted.left, 800);
    EXPECT_EQ(inverted.top, 600);
    EXPECT_EQ(inverted.right, -1);
    EXPECT_EQ(inverted.bottom, -1);
}

TEST(HearingOutline, IsDrawnTurnedInsideOutForANegativeRange) {
    const PixelRect outline = hearingOutline(fortyPixelCells, {5, 5}, -1);
    EXPECT_EQ(outline.left, 241);
    EXPECT_EQ(outline.right, 199);
}

TEST(SightFill, Covers33By33PixelsOfAFortyPixelCellWithThreeClearOnEachSide) {
    const PixelRect fill = sightFill(fortyPixelCells, {4, 4});
    EXPECT_EQ(fill.left, 164);
    EXPECT_EQ(fill.top, 164);
    EXPECT_EQ(fill.right, 197);
    EXPECT_EQ(fill.bottom, 197);
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
