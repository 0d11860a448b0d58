// Board painting on the layer's framebuffer: grid lines, the selected object's
// hearing square and the cells it sees, and the figures of every kind.
#include "BoardWindow.h"

#include <climits>

#include "app/CellSelection.h"

namespace {

// 20 x 15 cells, nothing on the board unless a test puts it there.
std::string emptyBoard(const std::string& more = "") {
    return "grid.x 20\ngrid.y 15\nobstacle.density 0\n" + more;
}

const std::string seeingPredators = "predator.hearing 0\npredator.sight 1\n";

using GridLines = BoardWindowTest;
using Hearing = BoardWindowTest;
using Sight = BoardWindowTest;
using Figures = BoardWindowTest;
using Painting = BoardWindowTest;

} // namespace

TEST_F(GridLines, StandAtEveryCellEdgeButNotOnTheClientAreasOwnEdge) {
    open(800, 600, emptyBoard());
    paintNow();
    for (int x = 0; x < 800; ++x)
        EXPECT_EQ(pixel(x, 20), x % 40 == 0 ? black : white) << "x " << x;
    for (int y = 0; y < 600; ++y)
        EXPECT_EQ(pixel(20, y), y % 40 == 0 ? black : white) << "y " << y;
}

TEST_F(GridLines, CloseTheLastColumnWhenAStripIsLeftOver) {
    open(810, 600, emptyBoard());
    paintNow();
    EXPECT_EQ(pixel(800, 20), black);
    for (int x = 801; x < 810; ++x)
        EXPECT_EQ(pixel(x, 20), white) << "x " << x;
}

TEST_F(GridLines, FillEveryPixelColumnWhenCellsAreOnePixelWide) {
    open(119, 600, "grid.x 60\ngrid.y 15\n");
    paintNow();
    for (int x = 0; x < 119; ++x)
        EXPECT_EQ(pixel(x, 20), black) << "x " << x;
}

TEST_F(GridLines, AreAllThereIsWithoutSelectionOrObjects) {
    open(800, 600, emptyBoard());
    paintNow();
    EXPECT_EQ(count(black), 20 * 600 + 15 * 800 - 20 * 15);
    EXPECT_EQ(count(black) + count(white), 800 * 600);
}

TEST_F(Hearing, OfRangeZeroOutlinesTheSelectedCellOnePixelInside) {
    open(800, 600, emptyBoard(seeingPredators));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    paintNow();
    for (int i = 201; i <= 239; ++i) {
        EXPECT_EQ(pixel(201, i), green) << i;
        EXPECT_EQ(pixel(239, i), green) << i;
        EXPECT_EQ(pixel(i, 201), green) << i;
        EXPECT_EQ(pixel(i, 239), green) << i;
    }
    EXPECT_EQ(pixel(200, 220), black);
    EXPECT_EQ(pixel(240, 220), black);
    EXPECT_EQ(count(green), 4 * 38);
}

TEST_F(Hearing, OfRangeTwoOutlinesFiveByFiveCells) {
    open(800, 600, emptyBoard("predator.hearing 2\n"));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    paintNow();
    EXPECT_EQ(pixel(121, 121), green);
    EXPECT_EQ(pixel(319, 319), green);
    EXPECT_EQ(pixel(121, 250), green);
    EXPECT_EQ(pixel(250, 319), green);
    EXPECT_EQ(pixel(120, 250), black);
    EXPECT_EQ(count(green), 4 * 198);
}

TEST_F(Hearing, ReachingPastTheWindowIsDrawnAsFarAsItShows) {
    open(800, 600, emptyBoard("predator.hearing 7\n"));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    paintNow();
    EXPECT_EQ(pixel(519, 0), green);
    EXPECT_EQ(pixel(519, 519), green);
    EXPECT_EQ(pixel(0, 519), green);
    EXPECT_EQ(count(green), 2 * 520 - 1);
}

TEST_F(Hearing, OfAKindWithoutSettingsOutlinesTheCellAlone) {
    open(800, 600, emptyBoard());
    world->putPrey(5, 5);
    selectedCell = {5, 5};
    paintNow();
    EXPECT_EQ(pixel(201, 220), green);
    EXPECT_EQ(count(paleYellow), 0);
}

TEST_F(Sight, FillsThirtyThreeByThirtyThreePixelsOfEachCellInSight) {
    open(800, 600, emptyBoard(seeingPredators));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    paintNow();
    for (int i = 164; i < 197; ++i) {
        EXPECT_EQ(pixel(i, 164), paleYellow) << i;
        EXPECT_EQ(pixel(164, i), paleYellow) << i;
        EXPECT_EQ(pixel(i, 196), paleYellow) << i;
        EXPECT_EQ(pixel(196, i), paleYellow) << i;
    }
    for (int clear = 161; clear <= 163; ++clear)
        EXPECT_EQ(pixel(clear, 180), white) << clear;
    for (int clear = 197; clear <= 199; ++clear)
        EXPECT_EQ(pixel(clear, 180), white) << clear;
    EXPECT_EQ(pixel(160, 180), black);
}

TEST_F(Sight, CoversTheSelectedCellButNotItsPredatorsWhiteCircle) {
    open(800, 600, emptyBoard(seeingPredators));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    paintNow();
    EXPECT_EQ(pixel(205, 205), paleYellow);
    EXPECT_EQ(pixel(220, 211), white);  // inside the circle
    EXPECT_EQ(pixel(216, 220), black);  // the H over it
    EXPECT_EQ(pixel(220, 207), black);  // the circle's outline
}

TEST_F(Sight, InACornerFillsOnlyTheCellsOnTheGrid) {
    open(800, 600, emptyBoard(seeingPredators));
    world->putPredator(0, 0);
    selectedCell = {0, 0};
    paintNow();
    EXPECT_EQ(pixel(5, 5), paleYellow);
    EXPECT_EQ(pixel(45, 5), paleYellow);
    EXPECT_EQ(pixel(5, 45), paleYellow);
    EXPECT_EQ(pixel(45, 45), paleYellow);
    int beyond = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x)
            beyond += (x >= 80 || y >= 80) && pixel(x, y) == paleYellow;
    }
    EXPECT_EQ(beyond, 0);
}

TEST_F(Sight, StopsAtObjectsThatBlockIt) {
    open(800, 600, emptyBoard("predator.sight 2\nobstacle.blocks_los 1\n"));
    world->putPredator(5, 5);
    world->putObstacle(6, 5);
    selectedCell = {5, 5};
    paintNow();
    EXPECT_EQ(pixel(165 + 80, 165 + 40), white);  // the obstacle's own cell (6, 5)
    EXPECT_EQ(pixel(165 + 120, 165 + 40), white); // (7, 5) behind it
    EXPECT_EQ(pixel(165 + 40, 165 + 40), paleYellow);
}

TEST_F(Sight, OfZeroFillsNothing) {
    open(800, 600, emptyBoard("predator.sight 0\n"));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    paintNow();
    EXPECT_EQ(count(paleYellow), 0);
}

TEST_F(Painting, ShowsNoOverlayForAnEmptySelectedCell) {
    open(800, 600, emptyBoard(seeingPredators));
    selectedCell = {5, 5};
    paintNow();
    EXPECT_EQ(count(green), 0);
    EXPECT_EQ(count(paleYellow), 0);
}

TEST_F(Painting, CopesWithTheLargestRanges) {
    open(800, 600, emptyBoard("predator.hearing 2147483647\npredator.sight 2147483647\n"));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    paintNow(); // synchronous: a paint that never ends fails at ctest's time limit
    EXPECT_EQ(count(green), 0); // every side lies far outside the window
    EXPECT_EQ(pixel(19 * 40 + 20, 14 * 40 + 20), paleYellow);
    EXPECT_EQ(pixel(5, 5), paleYellow);
}

TEST_F(Painting, CopesWithTheMostNegativeHearing) {
    open(800, 600, emptyBoard("predator.hearing -2147483648\n"));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    paintNow();
    EXPECT_EQ(count(green), 0);
}

TEST_F(Painting, ShowsOnlyTheBackgroundWhileCellsAreZeroPixels) {
    open(19, 600, emptyBoard(seeingPredators));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    paintNow();
    EXPECT_EQ(count(white), 19 * 600);
}

TEST_F(Painting, LeavesNoPenOrBrushBehind) {
    open(800, 600, emptyBoard("predator.hearing 3\npredator.sight 6\n"));
    world->putPredator(5, 5);
    selectedCell = {5, 5};
    for (int i = 0; i < 200; ++i)
        paintNow();
    EXPECT_EQ(win32layer::testing::liveDrawingObjects(), 0);
    EXPECT_GT(count(paleYellow), 0);
}

TEST_F(Figures, OfAPredatorInTheFirstCellAreACircleWithAnH) {
    open(800, 600, emptyBoard());
    world->putPredator(0, 0);
    paintNow();
    EXPECT_EQ(pixel(20, 7), black);
    EXPECT_EQ(pixel(7, 20), black);
    EXPECT_EQ(pixel(32, 20), black);
    EXPECT_EQ(pixel(20, 32), black);
    EXPECT_EQ(pixel(20, 6), white);
    EXPECT_EQ(pixel(33, 20), white);
    for (int y = 16; y < 24; ++y) {
        EXPECT_EQ(pixel(16, y), black) << y;
        EXPECT_EQ(pixel(24, y), black) << y;
    }
    for (int x = 16; x < 24; ++x)
        EXPECT_EQ(pixel(x, 20), black) << x;
    EXPECT_EQ(pixel(16, 24), white); // the end points are left out
    EXPECT_EQ(pixel(20, 12), white);
}

TEST_F(Figures, OfAPreyInTheFirstCellAreASmallSquare) {
    open(800, 600, emptyBoard());
    world->putPrey(0, 0);
    paintNow();
    for (int i = 12; i <= 28; ++i) {
        EXPECT_EQ(pixel(12, i), black) << i;
        EXPECT_EQ(pixel(28, i), black) << i;
        EXPECT_EQ(pixel(i, 12), black) << i;
        EXPECT_EQ(pixel(i, 28), black) << i;
    }
    EXPECT_EQ(pixel(11, 20), white);
    EXPECT_EQ(pixel(29, 20), white);
    EXPECT_EQ(pixel(20, 20), white);
}

TEST_F(Figures, OfAnObstacleInTheFirstCellAreASquareWithBothDiagonals) {
    open(800, 600, emptyBoard());
    world->putObstacle(0, 0);
    paintNow();
    for (int i = 7; i <= 33; ++i) {
        EXPECT_EQ(pixel(7, i), black) << i;
        EXPECT_EQ(pixel(33, i), black) << i;
        EXPECT_EQ(pixel(i, i), black) << i;
        EXPECT_EQ(pixel(i, 40 - i), black) << i;
    }
    EXPECT_EQ(pixel(6, 20), white);
    EXPECT_EQ(pixel(34, 20), white);
    EXPECT_EQ(pixel(20, 10), white);
}

TEST_F(Figures, InOblongCellsTakeTheSmallerSideForTheirSize) {
    open(1200, 600, "grid.x 20\ngrid.y 20\nobstacle.density 0\n");
    world->putPredator(0, 0);
    paintNow();
    EXPECT_EQ(pixel(20, 15), black);
    EXPECT_EQ(pixel(19, 15), white);
    EXPECT_EQ(pixel(39, 15), black);
    EXPECT_EQ(pixel(40, 15), white);
    EXPECT_EQ(pixel(30, 5), black);
    EXPECT_EQ(pixel(30, 4), white);
    EXPECT_EQ(pixel(30, 24), black);
    EXPECT_EQ(pixel(30, 25), white);
    for (int y = 12; y < 18; ++y)
        EXPECT_EQ(pixel(24, y), black) << y;
    EXPECT_EQ(pixel(24, 18), white);
    EXPECT_EQ(pixel(36, 12), black);
}
