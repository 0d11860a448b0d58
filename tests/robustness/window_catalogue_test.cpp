// The window program's part of the catalogue. Bad files run the real program
// on SDL's dummy driver: it must refuse with its message and exit 0. Without a
// display it must say where to play instead and exit 1. Awkward
// windows and a held space key run WinMain itself in this process, its input
// pushed as SDL events each time it waits for more.
#include "LayerTest.h"
#include "ProgramSteps.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "TextRuns.h"
#include "app/CellSelection.h"
#include "core/AddressSanitizer.h"
#include "core/World.h"

using namespace std::chrono_literals;

namespace {

const std::string tooSmallSaid =
    "Error: The grid is too small. Do you have a correct config? (lurkfield.config)\n";
const std::string tooLargeSaid = "Error: The grid is too large: more than 4294967295 cells. Do "
                                 "you have a correct config? (lurkfield.config)\n";

RunResult runWindowIn(const ScratchFolder& folder, std::uint64_t addressSpaceLimit = 0) {
    return runProgram({LURKFIELD_WINDOW_PROGRAM, {}, folder.path(), 60s,
                       {{"SDL_VIDEODRIVER", "dummy"}}, addressSpaceLimit});
}

RunResult runWindowOn(const std::string& config, std::uint64_t addressSpaceLimit = 0) {
    const ScratchFolder folder;
    folder.write("lurkfield.config", config);
    return runWindowIn(folder, addressSpaceLimit);
}

void expectRefusal(const RunResult& run, const std::string& said) {
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, said);
    EXPECT_LT(run.peakKilobytes, smallProgramKilobytes);
}

class AwkwardWindow : public LayerTest {
protected:
    void TearDown() override {
        selectedCell = noCell;
        LayerTest::TearDown();
    }

    // Runs the program on the configuration; each step runs when it waits for input.
    int run(const std::string& config, std::vector<Step> steps) {
        folder.enter(config);
        return runProgramWithSteps(steps);
    }

    static RECT client(HWND window) {
        RECT area{};
        GetClientRect(window, &area);
        return area;
    }

    // A selection always names a cell on the grid, or none.
    static void expectSelectionOnTheGrid() {
        if (selectedCell == noCell)
            return;
        EXPECT_TRUE(theWorld->grid.contains(selectedCell.column, selectedCell.row));
    }

    static Step spaces(int count) {
        return [count](HWND window) {
            for (int i = 0; i < count; ++i)
                pushText(window, " ");
        };
    }

    static Step escape() {
        return [](HWND window) {
            EXPECT_EQ(win32layer::testing::liveDrawingObjects(), 0);
            expectSelectionOnTheGrid();
            pushKey(window, SDLK_ESCAPE);
        };
    }

    ProgramFolder folder;
};

const std::string busyWorld = "grid.x 40\ngrid.y 30\nobstacle.density 8\nprey.number 60\n"
                              "predator.number 6\nprey.reaction_time 1\n"
                              "predator.reaction_time 3\nprey.eatable 1\nobstacle.blocks_los 1\n"
                              "predator.hearing 4\npredator.sight 6\n"
                              "prey.hearing 3\nprey.sight 9\nobstacle.sight 2\n";

} // namespace

TEST(WindowBadFiles, AreRefusedWithTheMessageAndExitCodeZero) {
    const ScratchFolder empty;
    expectRefusal(runWindowIn(empty), tooSmallSaid);
    const ScratchFolder withDirectory;
    std::filesystem::create_directory(withDirectory.path() / "lurkfield.config");
    expectRefusal(runWindowIn(withDirectory), tooSmallSaid);
    expectRefusal(runWindowOn(""), tooSmallSaid);
    expectRefusal(runWindowOn(std::string("\0\x01\xff\n\0grid.x\0 5\n", 14)), tooSmallSaid);
    expectRefusal(runWindowOn(std::string(100000, '\r')), tooSmallSaid);
    expectRefusal(runWindowOn("\xEF\xBB\xBFgrid.x 4\ngrid.y 3\n"), tooSmallSaid);
    expectRefusal(runWindowOn("grid.x -5\ngrid.y 5\n"), tooSmallSaid);
    expectRefusal(runWindowOn("grid.x 2147483648\ngrid.y 5\n"), tooSmallSaid);
    expectRefusal(runWindowOn("grid.x 100000\ngrid.y 100000\n"), tooLargeSaid);
    expectRefusal(runWindowOn("grid.x 2147483647\ngrid.y 2147483647\n"), tooLargeSaid);
}

// Under an address-space limit (which AddressSanitizer cannot start under):
// the message box says that memory is short, and the exit code is 1, unlike
// the refusal of a file that cannot be played.
TEST(WindowMemory, AWorldThatCannotFitIsRefusedNamingBothFiguresAndExitsWithOne) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << noAddressSpaceLimitUnderSanitizer;
    const RunResult run =
        runWindowOn("grid.x 3000\ngrid.y 3000\nprey.number 2147483647\n", 600 << 20);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(std::regex_match(run.err, std::regex("Error: Not enough memory for this world: it "
                                                     "needs about 1863 MB, and [1-5][0-9][0-9] MB "
                                                     "are available \\(lurkfield.config\\)\\.\n")))
        << run.err;
    EXPECT_LT(run.peakKilobytes, smallProgramKilobytes);
}

TEST(WindowMemory, RunningOutWhileReadingTheSettingsShowsTheMessageAndExitsWithOne) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << noAddressSpaceLimitUnderSanitizer;
    const RunResult run = runWindowOn(millionKeySettings(), 96 << 20);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Error: " + outOfMemoryMessage);
}

TEST(WindowWithoutADisplay, PointsToTheTextFrontEndAndExitsWithOne) {
    const ScratchFolder folder;
    folder.write("lurkfield.config", "grid.x 4\ngrid.y 3\nprey.number 2\n");
    // Empty values stand for unset ones, to SDL, Xlib and the program alike.
    const RunResult run = runProgram({LURKFIELD_WINDOW_PROGRAM, {}, folder.path(), 20s,
                                      {{"SDL_VIDEODRIVER", ""}, {"DISPLAY", ""},
                                       {"WAYLAND_DISPLAY", ""}}, 0});
    ASSERT_TRUE(run.finished) << "the program went on in a window that nobody can see";
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Lurkfield cannot open its window: no display is available"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("run the text front end lurkfield-text"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST_F(AwkwardWindow, OfOnePixelPaintsPlaysAndIgnoresClicks) {
    const int exitCode = run(busyWorld, {
        [](HWND window) { pushResize(window, 1, 1); },
        [](HWND window) {
            const RECT area = client(window);
            EXPECT_EQ(area.right, 1);
            EXPECT_EQ(area.bottom, 1);
            pushClick(window, 0, 0);
        },
        spaces(20),
        escape(),
    });
    EXPECT_EQ(exitCode, 0);
}

TEST_F(AwkwardWindow, NarrowerThanTheGridPaintsPlaysAndIgnoresClicks) {
    const int exitCode = run("grid.x 5000\ngrid.y 3\nprey.number 2000\nprey.reaction_time 1\n"
                             "prey.sight 4\nprey.hearing 2\n",
                             {
                                 [](HWND window) {
                                     ASSERT_LT(client(window).right, 5000);
                                     pushClick(window, 3, 3);
                                 },
                                 [](HWND window) {
                                     EXPECT_EQ(selectedCell, noCell);
                                     pushText(window, " ");
                                 },
                                 escape(),
                             });
    EXPECT_EQ(exitCode, 0);
}

TEST_F(AwkwardWindow, TakesAClickInTheLeftoverStripWithoutSelectingACellOffTheGrid) {
    const int exitCode = run(busyWorld + "grid.x 7\ngrid.y 5\n", {
        [](HWND window) { pushResize(window, 7 * 50 + 6, 5 * 40 + 3); },
        [](HWND window) {
            const RECT area = client(window);
            ASSERT_EQ(area.right, 7 * 50 + 6) << "the test wants a strip of 6 pixels";
            pushClick(window, area.right - 1, area.bottom - 1);
        },
        [](HWND window) {
            expectSelectionOnTheGrid();
            pushClick(window, client(window).right - 2, 10);
        },
        spaces(5),
        escape(),
    });
    EXPECT_EQ(exitCode, 0);
}

TEST_F(AwkwardWindow, WithTheLargestAndSmallestRangesSelectedPaintsEveryKind) {
    std::string config = busyWorld + "obstacle.density 30\n";
    for (const char* kind : {"predator.", "prey.", "obstacle."})
        config += std::string(kind) + "hearing -2147483648\n" + kind + "sight 2147483647\n";
    std::vector<Step> steps;
    for (int cell = 0; cell < 40; ++cell) {
        steps.push_back([cell](HWND window) {
            const RECT area = client(window);
            pushClick(window, (cell * 7 % 40) * (area.right / 40), (cell * 3 % 30) * (area.bottom / 30));
            pushText(window, " ");
        });
    }
    steps.push_back(escape());
    EXPECT_EQ(run(config, steps), 0);
}

TEST_F(AwkwardWindow, WithAHeldSpaceKeyRunsThousandsOfTurnsAndLeavesNoPenOrBrush) {
    std::uint64_t firstSerial = 0;
    std::vector<Step> steps;
    steps.push_back([&firstSerial](HWND window) {
        firstSerial = theWorld->lastCommandsSerial();
        const RECT area = client(window);
        pushClick(window, area.right / 2, area.bottom / 2);
    });
    for (int batch = 0; batch < 10; ++batch)
        steps.push_back(spaces(500));
    steps.push_back([&firstSerial](HWND window) {
        EXPECT_EQ(theWorld->lastCommandsSerial() - firstSerial, 5000u);
        escape()(window);
    });
    EXPECT_EQ(run(busyWorld, steps), 0);
}
