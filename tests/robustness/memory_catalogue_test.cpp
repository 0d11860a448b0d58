// The catalogue's memory cases: the text front end under an address-space
// limit (RLIMIT_AS), as on a small machine, in a container or under ulimit -v.
// A world that cannot fit is refused before anything is allocated, naming its
// estimated need and what is available; an allocation that fails all the same
// (settings too many to read) ends with a message; a world inside its estimate
// plays. AddressSanitizer reserves its shadow memory at start, beyond any such
// limit, so the sanitizer build skips these cases.
#include <gtest/gtest.h>

#include <regex>

#include "TextRuns.h"
#include "core/AddressSanitizer.h"
#include "core/MemoryNeed.h"
#include "support/TestWorld.h"

namespace {

constexpr std::uint64_t megabyte = 1 << 20;

// The figures of a refusal for want of memory, in MB: {needed, available}.
std::pair<std::uint64_t, std::uint64_t> refusalFigures(const RunResult& run) {
    static const std::regex refusal("Not enough memory for this world: it needs about ([0-9]+) MB, "
                                    "and ([0-9]+) MB are available \\(lurkfield.config\\)\\.\n");
    std::smatch figures;
    if (!std::regex_match(run.err, figures, refusal)) {
        ADD_FAILURE() << "not a refusal for want of memory: " << run.err;
        return {0, 0};
    }
    return {std::stoull(figures[1]), std::stoull(figures[2])};
}

void expectRefusedBeforeAllocating(const RunResult& run) {
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_LT(run.peakKilobytes, smallProgramKilobytes);
}

} // namespace

TEST(MemoryLimits, AWorldThatCannotFitIsRefusedBeforeAllocatingNamingBothFigures) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << noAddressSpaceLimitUnderSanitizer;
    const std::string config = "grid.x 3000\ngrid.y 3000\nprey.number 2147483647\n";
    const RunResult run = runTextUnderLimit(config, 1, 600 * megabyte);
    expectRefusedBeforeAllocating(run);
    const auto [needed, available] = refusalFigures(run);
    EXPECT_EQ(needed, megabytesRoundedUp(estimatedMemoryNeed(settingsFromText(config))));
    EXPECT_EQ(needed, 1863u);
    // The limit less the address space the program already takes.
    EXPECT_LT(available, 600u);
    EXPECT_GT(available, 500u);
}

TEST(MemoryLimits, TheLargestIntAsAWidthIsRefusedForWantOfMemory) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << noAddressSpaceLimitUnderSanitizer;
    const RunResult run = runTextUnderLimit("grid.x 2147483647\ngrid.y 1\n", 1, 1024 * megabyte);
    expectRefusedBeforeAllocating(run);
    EXPECT_EQ(refusalFigures(run).first, 34816u);
}

TEST(MemoryLimits, WorldsPlayUnderALimitOfTheirEstimatedNeed) {
    // The estimate is an upper bound: each world plays its turns with no more
    // address space than its estimate and what the program takes before it
    // builds a world (its code, libraries, stack and the settings).
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << noAddressSpaceLimitUnderSanitizer;
    constexpr std::uint64_t programItself = 24 * megabyte;
    const char* worlds[] = {
        "grid.x 1500\ngrid.y 1500\nobstacle.density 100\n",
        "grid.x 2000\ngrid.y 2000\nprey.number 1000000\nprey.reaction_time 1\n",
        "grid.x 1000\ngrid.y 1000\nobstacle.density 10\nprey.number 300000\nprey.reaction_time 1\n"
        "predator.number 300000\npredator.reaction_time 1\npredator.hearing 3\n"
        "predator.sight 3\nprey.eatable 1\n",
    };
    for (const char* config : worlds) {
        const std::uint64_t need = estimatedMemoryNeed(settingsFromText(config));
        const RunResult run = runTextUnderLimit(config, 3, need + programItself);
        ASSERT_TRUE(run.finished) << config;
        EXPECT_EQ(run.exitCode, 0) << config << run.err;
        ASSERT_EQ(framesOf(run.out).size(), 1u) << config;
        EXPECT_EQ(framesOf(run.out).front().turn, 3u) << config;
    }
}

TEST(MemoryLimits, RunningOutWhileReadingTheSettingsEndsWithTheMessage) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << noAddressSpaceLimitUnderSanitizer;
    const RunResult run = runTextUnderLimit(millionKeySettings(), 1, 64 * megabyte);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, outOfMemoryMessage);
    EXPECT_EQ(run.out, "");
}
