#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/wait.h>

#include "Version.h"
#include "support/TestWorld.h"
#include "tools/common/UsageError.h"
#include "tools/text/TextFrontEnd.h"

namespace {

struct TextRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the real lurkfield-text binary in `folder` with the given arguments.
TextRun runText(const std::filesystem::path& folder, const std::string& args) {
    const std::string errPath = (folder / "stderr.txt").string();
    const std::string command = "cd '" + folder.string() + "' && '" LURKFIELD_TEXT_BINARY "' " +
                                args + " 2>'" + errPath + "'";
    TextRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = readFile(errPath);
    return run;
}

// Runs the binary on a configuration file holding `config`.
TextRun runOn(const std::string& config, const std::string& args) {
    const TempFile file(config);
    return runText(file.folder(), args);
}

int countFrames(const std::string& out) {
    int frames = 0;
    for (std::size_t at = 0; (at = out.find("turn ", at)) != std::string::npos; ++at)
        frames += at == 0 || out[at - 1] == '\n';
    return frames;
}

} // namespace

TEST(TextOptions, ReadEveryOptionInAnyOrder) {
    const auto options = readTextOptions({"--trace", "--turns", "12", "--config", "a b.cfg"});
    EXPECT_EQ(options.configFile, "a b.cfg");
    EXPECT_EQ(options.turns, 12u);
    EXPECT_TRUE(options.trace);
}

TEST(TextOptions, ReadSeedsAndSettingLinesInTheirOrder) {
    const auto options = readTextOptions({"--set", "prey.number=5", "--seed", "4294967295", "--set",
                                          "grid.x= 7 junk", "--set", "a=b=c"});
    EXPECT_EQ(options.seed, 4294967295u);
    ASSERT_EQ(options.settings.size(), 3u);
    EXPECT_EQ(options.settings[0].asFileLine(), "prey.number 5");
    EXPECT_EQ(options.settings[1].asFileLine(), "grid.x  7 junk");
    EXPECT_EQ(options.settings[2].asFileLine(), "a b=c");
    EXPECT_FALSE(readTextOptions({}).seed);
}

// Each malformed command line is refused. Where a message is given, the front
// end names what is wrong with it on the line before the usage.
TEST(TextOptions, RejectMalformedCommandLinesSayingWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::optional<std::string>> cases[] = {
        {{"--turns"}, "--turns needs a whole number"},
        {{"--config"}, "--config needs a file name"},
        {{"--turns", "x"}, "--turns needs a whole number, not 'x'"},
        {{"--turns", "-1"}, "--turns needs a whole number, not '-1'"},
        {{"--turns", "3x"}, std::nullopt},
        {{"--turns", ""}, std::nullopt},
        {{"--turns", "+3"}, std::nullopt},
        {{"--turns", "99999999999999999999"},
         "--turns needs a whole number, not '99999999999999999999'"},
        {{"--seed", "4294967296"},
         "--seed needs a whole number from 0 to 4294967295, not '4294967296'"},
        {{"--seed", "one"}, "--seed needs a whole number from 0 to 4294967295, not 'one'"},
        {{"--set", "prey.number"}, "--set needs KEY=VALUE, not 'prey.number'"},
        {{"--set", "=5"}, "--set needs KEY=VALUE, not '=5'"},
        {{"--set", "prey number=5"}, "--set needs a KEY without blanks, not 'prey number'"},
        {{"--set", "prey\tnumber=5"}, "--set needs a KEY without blanks, not 'prey\tnumber'"},
        {{"--fast"}, "unknown option '--fast'"},
        {{"world.config"},
         "unexpected argument 'world.config' (the settings file is given with --config FILE)"},
    };
    for (const auto& [args, message] : cases) {
        EXPECT_THROW(readTextOptions(args), UsageError) << args.back();
        if (!message)
            continue;
        std::ostringstream out, err;
        EXPECT_EQ(runTextFrontEnd(args, out, err), 2) << *message;
        EXPECT_EQ(err.str().substr(0, err.str().find('\n')), *message);
        EXPECT_NE(err.str().find("\nusage: lurkfield-text"), std::string::npos) << *message;
        EXPECT_EQ(out.str(), "");
    }
}

TEST(TextFrames, ShowEveryKindAndCountWhatIsOnTheGrid) {
    TestWorld world("grid.x 3\ngrid.y 2\n");
    world.putObstacle(0, 0);
    world.putPrey(2, 0);
    world.putPredator(1, 1);
    world.putPrey(2, 1);
    std::ostringstream out;
    writeFrame(out, *world, 7);
    EXPECT_EQ(out.str(), "turn 7: 1 obstacles, 2 prey, 1 predators\n#.o\n.Ho\n\n");
}

TEST(TextFrontEnd, PrintsOneFrameAfterTheLastTurnOrEveryFrameWhenTracing) {
    const std::string config = "grid.x 5\ngrid.y 4\nprey.number 3\nprey.reaction_time 1\n";
    const TextRun last = runOn(config, "--turns 4");
    EXPECT_EQ(last.status, 0);
    EXPECT_EQ(countFrames(last.out), 1);
    EXPECT_EQ(last.out.rfind("turn 4: 0 obstacles, 3 prey, 0 predators\n", 0), 0u) << last.out;
    const TextRun traced = runOn(config, "--turns 4 --trace");
    EXPECT_EQ(countFrames(traced.out), 5);
    EXPECT_EQ(traced.out.substr(traced.out.size() - last.out.size()), last.out);
}

TEST(TextFrontEnd, ShowsAOneCellWorld) {
    const TextRun run = runOn("grid.x 1\ngrid.y 1\npredator.number 1\n", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "turn 0: 0 obstacles, 0 prey, 1 predators\nH\n\n");
}

TEST(TextFrontEnd, LeavesAFullBoardOfObstaclesUnchanged) {
    const TextRun run =
        runOn("grid.x 4\ngrid.y 2\nobstacle.density 100\nprey.number 5\n", "--turns 2 --trace");
    const std::string frame = ": 8 obstacles, 0 prey, 0 predators\n####\n####\n\n";
    EXPECT_EQ(run.out, "turn 0" + frame + "turn 1" + frame + "turn 2" + frame);
}

TEST(TextFrontEnd, LetsAPredatorEatItsOnlyNeighbour) {
    const TextRun run = runOn("grid.x 2\ngrid.y 1\nprey.number 1\npredator.number 1\n"
                              "predator.reaction_time 1\nprey.eatable 1\n",
                              "--turns 1");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "turn 1: 0 obstacles, 0 prey, 1 predators");
}

TEST(TextFrontEnd, RefusesAGridWithoutCellsNamingTheFile) {
    const TempFile file("");
    const TextRun missing = runText(file.folder(), "--config nowhere.config");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err,
              "The grid is too small. Do you have a correct config? (nowhere.config)\n");
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(runOn("grid.x 10\ngrid.y 0\n", "").status, 1);
}

TEST(TextFrontEnd, RefusesAGridTooLargeNamingTheLimitAndTheFile) {
    const TextRun run = runOn("grid.x 100000\ngrid.y 100000\n", "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The grid is too large: more than 4294967295 cells. Do you have a "
                       "correct config? (lurkfield.config)\n");
}

TEST(TextFrontEnd, AnswersUsageErrorsWithStatusTwoAndHelpWithStatusZero) {
    const TextRun bad = runOn("", "--turns many");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err.rfind("--turns needs a whole number, not 'many'\nusage: lurkfield-text", 0),
              0u)
        << bad.err;
    EXPECT_EQ(bad.out, "");
    const TextRun help = runOn("", "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--trace"), std::string::npos);
    const TextRun version = runOn("", "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "lurkfield-text " LURKFIELD_VERSION "\n");
}

TEST(TextFrontEnd, LeavesNoPointerToItsDestroyedWorldOnAnyWayOut) {
    const TempFile file("grid.x 3\ngrid.y 2\nprey.number 2\nprey.reaction_time 1\n");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--config", file.path(), "--turns", "2"}, {"--config", "nowhere.config"}}) {
        std::ostringstream out, err;
        runTextFrontEnd(args, out, err);
        EXPECT_EQ(theWorld, nullptr) << err.str();
    }
}

// The golden frames pin the unseeded rand() sequence of this platform's C
// library (glibc): another C library deals other worlds from the same file.
TEST(SampleWorld, PlaysTheSameFirstTwentyTurnsAsRecorded) {
    const std::string expected =
        readFile(LURKFIELD_SOURCE_DIR "/tests/text/golden/sample-20-turns.txt");
    ASSERT_FALSE(expected.empty());
    const TempFile file(readFile(LURKFIELD_SOURCE_DIR "/lurkfield.config"));
    const TextRun run = runText(file.folder(), "--turns 20 --trace");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out == expected) << "the sample world's frames changed";
}

TEST(TextSettings, ActAsLinesAtTheEndOfTheFile) {
    const std::string config = "grid.x 5\ngrid.y 4\nprey.number 3\n";
    EXPECT_EQ(runOn(config, "--set prey.number=1").out.substr(0, 40),
              "turn 0: 0 obstacles, 1 prey, 0 predators");
    // A malformed value reads 0, and a later --set wins, as later lines do.
    const TextRun malformed = runOn(config, "--set prey.number=x");
    EXPECT_EQ(countFrames(malformed.out), 1);
    EXPECT_EQ(malformed.out.rfind("turn 0: 0 obstacles, 0 prey", 0), 0u);
    EXPECT_EQ(runOn(config, "--set prey.number=1 --set prey.number=2")
                  .out.rfind("turn 0: 0 obstacles, 2 prey", 0),
              0u);
    // A key alone, or one that begins with '#', is a line the file would ignore too.
    EXPECT_EQ(runOn(config, "--set prey.number= --set '#prey.number=0'")
                  .out.rfind("turn 0: 0 obstacles, 3 prey", 0),
              0u);
}

TEST(TextSettings, ApplyAfterAFileCutShortByAnOverLongLine) {
    const std::string config = "grid.x 5\nprey.number " + std::string(1200, '4') + "\ngrid.y 4\n";
    EXPECT_EQ(runOn(config, "").status, 1);
    const TextRun run = runOn(config, "--set grid.y=2 --set prey.number=2");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("turn 0: 0 obstacles, 2 prey, 0 predators\n", 0), 0u) << run.out;
    // The header, two rows of the grid, the empty line.
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1 + 2 + 1);
}

TEST(TextSeeds, SeedOneIsTheUnseededWorldAndOtherSeedsDealOthers) {
    const std::string config = "grid.x 12\ngrid.y 8\nobstacle.density 20\nprey.number 9\n"
                               "predator.number 2\nprey.reaction_time 1\n";
    const std::string unseeded = runOn(config, "--turns 3 --trace").out;
    EXPECT_EQ(runOn(config, "--turns 3 --trace --seed 1").out, unseeded);
    const std::string seven = runOn(config, "--turns 3 --trace --seed 7").out;
    EXPECT_NE(seven, unseeded);
    EXPECT_EQ(runOn(config, "--seed 7 --turns 3 --trace").out, seven);
    EXPECT_NE(runOn(config, "--turns 3 --trace --seed 8").out, seven);
}
