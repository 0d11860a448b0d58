// Running out of memory where no estimate foresaw it: this test program replaces
// the global operator new, so that from a chosen moment every allocation of a
// chosen size or more fails. The text front end and the window program, in
// this process, must end with "Not enough memory for this world (FILE)." and
// exit status 1, whether the failure comes in the set-up or in a turn, and
// leave no pointer to their destroyed World.
#include "LayerTest.h"
#include "ProgramSteps.h"

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <new>
#include <sstream>
#include <streambuf>

#include "support/TestWorld.h"
#include "tools/text/TextFrontEnd.h"

namespace {

// Allocations of this many bytes or more fail; none do at first.
std::size_t failingSize = std::numeric_limits<std::size_t>::max();

void failAllocationsFrom(std::size_t bytes) {
    failingSize = bytes;
}
void stopFailingAllocations() {
    failingSize = std::numeric_limits<std::size_t>::max();
}

// Big enough for any table or list of a world's objects; small enough for a
// message and the streams that carry it.
constexpr std::size_t worldSized = 8 * 1024;

// A world of 1600 acting creatures: its grid and each turn's lists are larger
// than worldSized.
const std::string crowdedWorld = "grid.x 40\ngrid.y 40\nprey.number 1200\npredator.number 400\n"
                                 "prey.reaction_time 1\npredator.reaction_time 1\n";

// An output that takes everything and keeps nothing; the first frame written
// to it (the board after set-up) makes the allocations of the first turn fail.
class FailTurnsAfterFirstFrame : public std::streambuf {
  public:
    bool written = false;

  protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        failAllocationsFrom(worldSized);
        written = true;
        return count;
    }
    int_type overflow(int_type c) override {
        failAllocationsFrom(worldSized);
        written = true;
        return traits_type::not_eof(c);
    }
};

struct TextRun {
    int status;
    std::string err;
};

TextRun runText(const std::vector<std::string>& args, std::streambuf& output) {
    std::ostream out(&output);
    std::ostringstream err;
    const int status = runTextFrontEnd(args, out, err);
    stopFailingAllocations();
    return {status, err.str()};
}

class WindowOutOfMemory : public LayerTest {
  protected:
    void TearDown() override {
        stopFailingAllocations();
        LayerTest::TearDown();
    }

    // Runs the program on the configuration, its allocations failing from the
    // start when failingFromStart is set.
    int run(const std::string& config, const std::vector<Step>& steps, bool failingFromStart) {
        folder.enter(config);
        testing::internal::CaptureStderr();
        if (failingFromStart)
            failAllocationsFrom(worldSized);
        const int exitCode = runProgramWithSteps(steps);
        stopFailingAllocations();
        said = testing::internal::GetCapturedStderr();
        return exitCode;
    }

    ProgramFolder folder;
    std::string said;
};

} // namespace

void* operator new(std::size_t size) {
    if (size >= failingSize)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size != 0 ? size : 1))
        return memory;
    throw std::bad_alloc();
}

// The replaced operator new allocates with malloc, so free is the match; gcc
// cannot see that through the replacement.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

TEST(TextOutOfMemory, InTheSetUpEndsWithTheMessageAndStatusOne) {
    const TempFile file(crowdedWorld);
    std::stringbuf output;
    failAllocationsFrom(worldSized);
    const TextRun run = runText({"--config", file.path(), "--turns", "3"}, output);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Not enough memory for this world (" + file.path() + ").\n");
    EXPECT_EQ(output.str(), "");
    EXPECT_EQ(theWorld, nullptr);
}

TEST(TextOutOfMemory, InATurnEndsWithTheMessageAndStatusOne) {
    const TempFile file(crowdedWorld);
    FailTurnsAfterFirstFrame output;
    const TextRun run = runText({"--config", file.path(), "--turns", "3", "--trace"}, output);
    EXPECT_TRUE(output.written) << "the set-up must have ended before the failure";
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Not enough memory for this world (" + file.path() + ").\n");
    EXPECT_EQ(theWorld, nullptr);
}

TEST_F(WindowOutOfMemory, InATurnShowsTheMessageAndExitsWithOne) {
    const int exitCode = run(crowdedWorld, {[](HWND window) {
                                 failAllocationsFrom(worldSized);
                                 pushText(window, " ");
                             }},
                             false);
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(said, "Error: Not enough memory for this world (lurkfield.config).\n");
}

TEST_F(WindowOutOfMemory, InTheSetUpShowsTheMessageAndExitsWithOne) {
    const int exitCode = run(crowdedWorld, {}, true);
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(said, "Error: Not enough memory for this world (lurkfield.config).\n");
    EXPECT_EQ(win32layer::testing::newestWindow(), nullptr);
}
