// The program through its real message loop: WinMain runs on the layer with
// SDL's dummy driver, and each time it waits for input the test takes its next
// step, looking at the game and pushing the user's next key or click.
#include "LayerTest.h"
#include "ProgramSteps.h"

#include <boost/weak_ptr.hpp>

#include <functional>
#include <string>
#include <vector>

#include "app/CellSelection.h"
#include "core/World.h"

namespace {

// 4 x 3 cells, all obstacles: an obstacle never acts, and its turn counter
// counts the turns run.
const std::string allObstacles = "grid.x 4\ngrid.y 3\nobstacle.density 100\n";

constexpr COLORREF green = RGB(0, 255, 0);

class Program : public LayerTest {
protected:
    void TearDown() override {
        selectedCell = noCell;
        LayerTest::TearDown();
    }

    int run(const std::vector<Step>& steps) { return runProgramWithSteps(steps); }

    static int turnsRun() { return theWorld->grid.get(0, 0)->turnCounter; }

    ProgramFolder folder;
    boost::weak_ptr<GameObject> watched;
};

} // namespace

TEST_F(Program, RunsOneTurnForASpace) {
    folder.enter(allObstacles);
    const int exitCode = run({
        [](HWND window) { pushText(window, " "); },
        [](HWND window) {
            EXPECT_EQ(turnsRun(), 1);
            pushKey(window, SDLK_ESCAPE);
        },
    });
    EXPECT_EQ(exitCode, 0);
}

TEST_F(Program, RunsEveryTurnOfQuicklyRepeatedSpacesBeforeItsNextPaint) {
    folder.enter(allObstacles);
    run({
        [](HWND window) {
            pushText(window, " ");
            pushText(window, " ");
            pushText(window, " ");
        },
        [](HWND window) {
            EXPECT_EQ(turnsRun(), 3);
            pushKey(window, SDLK_ESCAPE);
        },
    });
}

TEST_F(Program, RepaintsAfterASpaceButNotAfterOtherCharacters) {
    folder.enter(allObstacles);
    run({
        [](HWND window) {
            selectedCell = {1, 1}; // unseen until the next paint
            pushText(window, "x");
            pushKey(window, SDLK_RETURN);
        },
        [](HWND window) {
            EXPECT_EQ(turnsRun(), 0);
            EXPECT_NE(win32layer::testing::pixelAt(window, 193, 250), green);
            pushText(window, " ");
        },
        [](HWND window) {
            EXPECT_EQ(turnsRun(), 1);
            EXPECT_EQ(win32layer::testing::pixelAt(window, 193, 250), green);
            pushKey(window, SDLK_ESCAPE);
        },
    });
}

TEST_F(Program, SelectsAClickedCellAndClearsItOnASecondClick) {
    folder.enter(allObstacles);
    run({
        [](HWND window) {
            RECT client;
            GetClientRect(window, &client);
            pushClick(window, client.right / 4 + 5, client.bottom / 3 + 5);
        },
        [](HWND window) {
            EXPECT_EQ(selectedCell, (CellPosition{1, 1}));
            EXPECT_EQ(win32layer::testing::pixelAt(window, 193, 250), green);
            pushClick(window, 200, 200);
        },
        [](HWND window) {
            EXPECT_EQ(selectedCell, noCell);
            EXPECT_NE(win32layer::testing::pixelAt(window, 193, 250), green);
            pushKey(window, SDLK_ESCAPE);
        },
    });
}

TEST_F(Program, KeepsTheSelectionThroughATurn) {
    folder.enter(allObstacles);
    run({
        [](HWND window) {
            pushClick(window, 5, 5);
            pushText(window, " ");
        },
        [](HWND window) {
            EXPECT_EQ(selectedCell, (CellPosition{0, 0}));
            pushKey(window, SDLK_ESCAPE);
        },
    });
}

TEST_F(Program, TakesTheSuggestedSizeOnAMoveToAMonitorOfAnotherScaleAndDrawsTheBoardAnew) {
    folder.enter(allObstacles);
    // At 150 %: cells of 300 pixels, so cell (1, 1) lies where the first size had row 2.
    static const RECT suggested{40, 30, 40 + 1200, 30 + 900};
    run({
        [](HWND window) {
            selectedCell = {1, 1}; // unseen until the next paint
            PostMessageW(window, WM_DPICHANGED, 0x00900090, reinterpret_cast<LPARAM>(&suggested));
        },
        [](HWND window) {
            RECT client;
            GetClientRect(window, &client);
            EXPECT_EQ(client.right, 1200);
            EXPECT_EQ(client.bottom, 900);
            EXPECT_EQ(win32layer::testing::pixelAt(window, 301, 390), green);
            pushKey(window, SDLK_ESCAPE);
        },
    });
}

TEST_F(Program, EndsWithExitCodeZeroOnEscapeAndDestroysTheWorld) {
    folder.enter(allObstacles);
    const int exitCode = run({
        [this](HWND window) {
            watched = theWorld->grid.get(0, 0);
            pushKey(window, SDLK_ESCAPE);
        },
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(watched.expired());
}

TEST_F(Program, EndsWithExitCodeZeroOnTheCloseButtonAndDestroysTheWorld) {
    folder.enter(allObstacles);
    const int exitCode = run({
        [this](HWND window) {
            watched = theWorld->grid.get(0, 0);
            pushCloseButton(window);
        },
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(win32layer::testing::newestWindow(), nullptr);
}

TEST_F(Program, ClosesItsWindowOnCommandOneHundred) {
    folder.enter(allObstacles);
    const int exitCode = run({
        [](HWND window) { PostMessageW(window, WM_COMMAND, 100, 0); },
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(win32layer::testing::newestWindow(), nullptr);
}

TEST_F(Program, RefusesToStartWithoutAConfigurationFileAndOpensNoWindow) {
    folder.enter("not the configuration", "notes.txt");
    testing::internal::CaptureStderr();
    const int exitCode = run({});
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(said, "Error: The grid is too small. Do you have a correct config? (lurkfield.config)\n");
    EXPECT_EQ(win32layer::testing::newestWindow(), nullptr);
}

TEST_F(Program, RefusesAGridTooLargeNamingTheLimit) {
    folder.enter("grid.x 100000\ngrid.y 100000\n");
    testing::internal::CaptureStderr();
    const int exitCode = run({});
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(said, "Error: The grid is too large: more than 4294967295 cells. Do you have a "
                    "correct config? (lurkfield.config)\n");
    EXPECT_EQ(win32layer::testing::newestWindow(), nullptr);
}

TEST_F(Program, IgnoresClicksWhileTheCellsAreZeroPixels) {
    folder.enter("grid.x 5000\ngrid.y 3\n");
    run({
        [](HWND window) {
            selectedCell = {1, 1};
            pushClick(window, 5, 5);
        },
        [](HWND window) {
            EXPECT_EQ(selectedCell, (CellPosition{1, 1}));
            pushKey(window, SDLK_ESCAPE);
        },
    });
}

TEST_F(Program, ClearsTheSelectionOnAClickPastTheLastColumn) {
    folder.enter("grid.x 5\ngrid.y 3\n");
    run({
        [](HWND window) { pushClick(window, 5, 5); },
        [](HWND window) {
            RECT client;
            GetClientRect(window, &client);
            ASSERT_NE(client.right % 5, 0) << "the test wants a leftover strip";
            EXPECT_EQ(selectedCell, (CellPosition{0, 0}));
            pushClick(window, client.right - 1, 5);
        },
        [](HWND window) {
            EXPECT_EQ(selectedCell, noCell);
            pushKey(window, SDLK_ESCAPE);
        },
    });
}
