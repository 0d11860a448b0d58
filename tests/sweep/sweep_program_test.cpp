// lurkfield-sweep and lurkfield-sweep-mpi run as a user runs them: in a folder
// holding lurkfield.config, their files read back afterwards.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include "SweepRuns.h"
#include "TextRuns.h"
#include "Version.h"
#include "core/AddressSanitizer.h"

namespace {

const std::vector<std::string> smallSweep = {"--vary",  "predator.sight=1,6",
                                             "--vary",  "prey.number=10:15:40",
                                             "--reps",  "3",
                                             "--turns", "60",
                                             "--every", "4",
                                             "--quiet"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

void expectDone(const RunResult& run, int status = 0) {
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, status) << run.err;
}

} // namespace

TEST(SweepProgram, WritesTheSameTableWhateverTheJobsOrTheShards) {
    ScratchFolder folder;
    folder.write("lurkfield.config", huntingWorld);
    const RunResult alone = runSweep(folder, with(smallSweep, {"--jobs", "1"}));
    expectDone(alone);
    EXPECT_EQ(linesOf(alone.out).size(), 1 + 18 * 16u);
    EXPECT_EQ(linesOf(alone.out)[0],
              "run,rep,seed,predator.sight,prey.number,turn,obstacles,prey,predators");
    for (const std::string jobs : {"2", "3"})
        EXPECT_TRUE(runSweep(folder, with(smallSweep, {"--jobs", jobs})).out == alone.out) << jobs;

    for (const std::string shard : {"1/3", "2/3", "3/3"}) {
        const std::string name = "part" + shard.substr(0, 1) + ".csv";
        expectDone(
            runSweep(folder, with(smallSweep, {"--shard", shard, "--table", name, "--jobs", "2"})));
    }
    const RunResult merged = runSweep(folder, {"--merge", "part3.csv", "part1.csv", "part2.csv"});
    expectDone(merged);
    EXPECT_TRUE(merged.out == alone.out);
    expectDone(runSweep(folder, {"--merge", "part3.csv", "part1.csv", "part2.csv", "--table",
                                 "all.csv"}));
    EXPECT_TRUE(readWhole(folder.path() / "all.csv") == alone.out);
    EXPECT_EQ(nlohmann::json::parse(readWhole(folder.path() / "all.csv.json"))["parts"].size(), 3u);
}

TEST(SweepMpiProgram, WritesTheSameTableAsLurkfieldSweepOnOneRankOrThree) {
    if (mpirunCommand(1).empty())
        GTEST_SKIP() << "lurkfield-sweep-mpi is not built here";
    ScratchFolder folder;
    folder.write("lurkfield.config", huntingWorld);
    const RunResult alone = runSweep(folder, with(smallSweep, {"--jobs", "1"}));
    // OpenMPI's own allocations outlive the program; every other check stays on.
    std::vector<std::pair<std::string, std::string>> environment;
    if (builtWithAddressSanitizer)
        environment.push_back({"ASAN_OPTIONS", "detect_leaks=0:halt_on_error=1"});
    for (int ranks : {1, 3}) {
        std::vector<std::string> command = mpirunCommand(ranks);
        const std::string mpirun = command.front();
        command.erase(command.begin());
        const RunResult mpi = runProgramIn(folder, mpirun, with(command, smallSweep), environment);
        expectDone(mpi);
        EXPECT_TRUE(mpi.out == alone.out) << ranks << " ranks\n" << mpi.err;
    }
    // Ranks on machines without the file play the text that rank 0 read.
    ScratchFolder elsewhere;
    std::vector<std::string> command = with(mpirunCommand(1), smallSweep);
    const std::string mpirun = command.front();
    command.erase(command.begin());
    command = with(command, {":", "-np", "2", "-wdir", elsewhere.path().string(),
                             LURKFIELD_SWEEP_MPI_PROGRAM});
    const RunResult spread = runProgramIn(folder, mpirun, with(command, smallSweep), environment);
    expectDone(spread);
    EXPECT_TRUE(spread.out == alone.out) << spread.err;
}

// Run r of a sweep is the world of lurkfield-text --seed S+r with the run's
// settings, so every replicate is a world of its own; with neither --seed nor
// --vary, run 0 is the unseeded world.
TEST(SweepProgram, RecordsTheFramesOfLurkfieldTextForEachRunsSeedAndSettings) {
    ScratchFolder folder;
    folder.write("lurkfield.config", huntingWorld);
    const RunResult plain = runSweep(folder, {"--turns", "30", "--quiet"});
    expectDone(plain);
    const RunResult unseeded = runText(folder, {"--turns", "30", "--trace"}, sweepTimeLimit);
    EXPECT_EQ(turnsOf(tableRows(plain.out, {}), 0), frameTurns(unseeded.out));
    EXPECT_EQ(frameTurns(unseeded.out).size(), 31u);

    const RunResult varied = runSweep(
        folder, {"--set", "prey.number=20", "--vary", "predator.sight=2,5", "--vary",
                 "predator.number=3,9", "--reps", "2", "--seed", "40", "--turns", "25", "--quiet"});
    expectDone(varied);
    const std::vector<TableRow> rows = tableRows(varied.out, {"predator.sight", "predator.number"});
    ASSERT_EQ(rows.size(), 8 * 26u);
    for (std::uint64_t run = 0; run < 8; ++run) {
        const RunFields fields = {run, run % 2, 40 + run, {run < 4 ? 2 : 5, run / 2 % 2 ? 9 : 3}};
        EXPECT_EQ(RunFields(rows[run * 26]), fields) << run;
        const RunResult text = runText(
            folder,
            {"--seed", std::to_string(fields.seed), "--set", "prey.number=20", "--set",
             "predator.sight=" + std::to_string(fields.values[0]), "--set",
             "predator.number=" + std::to_string(fields.values[1]), "--turns", "25", "--trace"},
            sweepTimeLimit);
        EXPECT_EQ(turnsOf(rows, run), frameTurns(text.out)) << run;
        EXPECT_TRUE(run % 2 == 0 || turnsOf(rows, run) != turnsOf(rows, run - 1)) << run;
    }
}

// Each malformed command line: the reason, then the usage; status 2; no table.
TEST(SweepProgram, RefusesBadCommandLinesBeforeWritingAnything) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--vary", "prey.number=1:0:9"},
         "--vary prey.number needs a STEP other than 0, not '1:0:9'"},
        {{"--shard", "4/3"},
         "--shard needs K/N with K from 1 to N and N from 1 to 1000000, not '4/3'"},
        {{"--vary", "a=1:1:1001", "--reps", "1000"},
         "this sweep would have more than 1000000 runs (design points x --reps)"},
    };
    ScratchFolder folder;
    folder.write("lurkfield.config", huntingWorld);
    for (const auto& [args, message] : cases) {
        const RunResult run = runSweep(
            folder, with(args, {"--table", "t.csv", "--summary", "s.csv", "--plot", "p.svg"}));
        expectDone(run, 2);
        EXPECT_EQ(run.err.rfind(message + "\nusage: lurkfield-sweep", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
        for (const char* file : {"t.csv", "s.csv", "p.svg", "t.csv.json"})
            EXPECT_FALSE(std::filesystem::exists(folder.path() / file)) << message;
    }
}

TEST(SweepProgram, RefusesASettingsFileItCannotReadBeforeAnyRun) {
    const std::pair<std::string, std::string> cases[] = {
        {"missing.config", "No such file or directory"}, {".", "Is a directory"}};
    ScratchFolder folder;
    for (const auto& [file, reason] : cases) {
        const RunResult run =
            runSweep(folder, {"--config", file, "--reps", "3", "--table", "t.csv", "--quiet"});
        expectDone(run, 1);
        EXPECT_EQ(run.err, "lurkfield-sweep: cannot read the settings file '" + file + "': " +
                               reason + "\n");
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "t.csv"));
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "t.csv.json"));
    }
}

// The settings file is read once: a file edited or removed while the sweep
// goes on changes none of its runs, and the record holds the text they played.
TEST(SweepProgram, PlaysEveryRunFromTheSettingsReadAtItsStart) {
    for (const bool removed : {false, true}) {
        const std::string world = "grid.x 60\ngrid.y 40\nobstacle.density 10\nprey.number 300\n"
                                  "predator.number 3\nprey.reaction_time 1\n";
        ScratchFolder folder;
        folder.write("lurkfield.config", world);
        // Runs of a few tenths of a second each: the file changes after the first.
        const std::vector<std::string> args = {"--reps", "6",     "--turns", "20000", "--every",
                                               "1000",   "--jobs", "1",      "--quiet"};
        expectDone(runSweep(folder, with(args, {"--summary", "before.csv"})));
        GroupedSweep sweep(folder, with(args, {"--table", "t.csv", "--summary", "s.csv"}));
        ASSERT_TRUE(waitFor([&] { return linesOf(readWhole(folder.path() / "t.csv")).size() > 2; }));
        if (removed)
            std::filesystem::remove(folder.path() / "lurkfield.config");
        else
            folder.write("lurkfield.config", "grid.x 0\n");
        // One worker: the runs after the one under way start after the change.
        ASSERT_LE(linesOf(readWhole(folder.path() / "s.csv")).size(), 1u + 4u)
            << "the file changed too late to tell";
        const int status = sweep.wait();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(readWhole(folder.path() / "s.csv"), readWhole(folder.path() / "before.csv"));
        const auto record = nlohmann::json::parse(readWhole(folder.path() / "t.csv.json"));
        EXPECT_EQ(record["settings_text"], world);
        EXPECT_EQ(record["runs_played"], 6);
    }
}

TEST(SweepProgram, ReportsARefusedGridOnStandardErrorAndInTheSummaryAndGoesOn) {
    ScratchFolder folder;
    folder.write("lurkfield.config", huntingWorld);
    const RunResult run = runSweep(folder, {"--vary", "grid.x=0,2000000000,6", "--turns", "3",
                                            "--summary", "s.csv", "--quiet"});
    expectDone(run, 1);
    EXPECT_NE(run.err.find("run 0 (rep 0, seed 1, grid.x=0): The grid is too small. Do you have a "
                           "correct config? (lurkfield.config)\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("run 1 (rep 0, seed 2, grid.x=2000000000): The grid is too large"),
              std::string::npos);
    EXPECT_NE(run.err.find("lurkfield-sweep: 2 of 3 runs were not played"), std::string::npos);
    const std::vector<std::string> table = linesOf(run.out);
    ASSERT_EQ(table.size(), 1u + 4u);
    EXPECT_EQ(table[1].rfind("2,0,3,6,0,", 0), 0u);
    const std::vector<std::string> summary = linesOf(readWhole(folder.path() / "s.csv"));
    ASSERT_EQ(summary.size(), 4u);
    EXPECT_EQ(summary[0],
              "run,rep,seed,grid.x,turns,prey_start,prey_end,predators_end,prey_gone_turn,"
              "predators_start,obstacles_start,obstacles_end,outcome,message");
    EXPECT_EQ(summary[1], "0,0,1,0,0,,,,,,,,refused,The grid is too small. Do you have a correct "
                          "config? (lurkfield.config)");
    EXPECT_EQ(summary[3].substr(0, 9), "2,0,3,6,3");
    EXPECT_EQ(summary[3].substr(summary[3].size() - 8), ",played,");
}

TEST(SweepProgram, ReportsARunThatRanOutOfMemoryAndGoesOn) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << noAddressSpaceLimitUnderSanitizer;
    ScratchFolder folder;
    folder.write("lurkfield.config", "grid.y 1000\nobstacle.density 100\n");
    const std::vector<std::string> args = {
        "--vary", "grid.x=10,9000,20", "--turns", "1",      "--jobs",
        "2",      "--summary",         "s.csv",   "--quiet"};
    // 600000 KB of address space, as ulimit -v 600000 gives; the workers inherit it.
    const RunResult run = runProgram(
        {LURKFIELD_SWEEP_PROGRAM, args, folder.path(), sweepTimeLimit, {}, 600000ull * 1024});
    expectDone(run, 1);
    // Refused before set-up by the estimate of its need, or ended when an allocation failed.
    EXPECT_NE(run.err.find("run 1 (rep 0, seed 2, grid.x=9000): Not enough memory for this world"),
              std::string::npos)
        << run.err;
    const std::vector<std::string> summary = linesOf(readWhole(folder.path() / "s.csv"));
    ASSERT_EQ(summary.size(), 4u);
    EXPECT_NE(summary[2].find(",out_of_memory,"), std::string::npos) << summary[2];
    EXPECT_NE(summary[2].find("Not enough memory for this world"), std::string::npos);
    EXPECT_NE(summary[3].find(",played,"), std::string::npos);
    EXPECT_EQ(linesOf(run.out).size(), 1u + 2u + 2u);
}

TEST(SweepProgram, ReplacesOldTablesButChangesNoFileWhenItCannotOpenThemAll) {
    ScratchFolder folder;
    folder.write("lurkfield.config", huntingWorld);
    folder.write("t.csv", std::string(100000, 'x'));
    expectDone(runSweep(folder, {"--turns", "2", "--table", "t.csv", "--quiet"}));
    EXPECT_EQ(linesOf(readWhole(folder.path() / "t.csv")).size(), 4u);

    folder.write("old.csv", "old rows\n");
    const RunResult refused = runSweep(
        folder, {"--table", "old.csv", "--summary", "nowhere/s.csv", "--turns", "2", "--quiet"});
    expectDone(refused, 1);
    EXPECT_EQ(refused.err,
              "lurkfield-sweep: cannot write nowhere/s.csv: No such file or directory\n");
    EXPECT_EQ(readWhole(folder.path() / "old.csv"), "old rows\n");
    runSweep(folder, {"--table", "new.csv", "--summary", "nowhere/s.csv"});
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "new.csv"));
}

TEST(SweepProgram, WritesARecordOfHowEachFileWasMadeBesideIt) {
    ScratchFolder folder;
    folder.write("lurkfield.config", huntingWorld);
    const RunResult run =
        runSweep(folder, {"--set", "prey.number=7", "--vary", "predator.sight=0:3:6", "--turns",
                          "5", "--table", "t.csv", "--summary", "s.csv", "--quiet"});
    expectDone(run);
    for (const char* file : {"t.csv", "s.csv"}) {
        const auto record =
            nlohmann::json::parse(readWhole(folder.path() / (std::string(file) + ".json")));
        EXPECT_EQ(record["program"], "lurkfield-sweep");
        EXPECT_EQ(record["version"], LURKFIELD_VERSION);
        EXPECT_EQ(record["command_line"][0], LURKFIELD_SWEEP_PROGRAM);
        EXPECT_EQ(record["command_line"][2], "prey.number=7");
        EXPECT_EQ(record["settings_text"], huntingWorld);
        EXPECT_EQ(record["started"].get<std::string>().substr(0, 2), "20");
        EXPECT_EQ(record["ended"].get<std::string>().substr(0, 2), "20");
        EXPECT_EQ(record["state"], "complete");
        EXPECT_EQ(record["runs_played"], 3);
    }
    runSweep(folder, {"--turns", "1", "--table", "-", "--quiet"});
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "-.json"));
}

TEST(SweepProgram, DrawsThePlotOrSaysWhyNotAndWritesTheTablesAllTheSame) {
    ScratchFolder folder;
    folder.write("lurkfield.config", huntingWorld);
    const std::vector<std::string> args = {
        "--vary", "predator.sight=0,4", "--reps", "2", "--turns", "30", "--table", "t.csv",
        "--quiet"};
    const RunResult without =
        runSweep(folder, with(args, {"--plot", "none.svg"}), {{"PATH", "/nonexistent"}});
    expectDone(without, 1);
    EXPECT_NE(without.err.find("gnuplot is not installed, so none.svg will not be drawn (Debian: "
                               "apt-get install gnuplot-nox)"),
              std::string::npos)
        << without.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "none.svg"));
    EXPECT_EQ(linesOf(readWhole(folder.path() / "t.csv")).size(), 1u + 4 * 31u);

    if (!std::filesystem::exists("/usr/bin/gnuplot"))
        GTEST_SKIP() << "gnuplot is not installed here";
    for (const std::string name : {"p.svg", "p.png"}) {
        const RunResult drawn = runSweep(folder, with(args, {"--plot", name}));
        expectDone(drawn);
        const std::string image = readWhole(folder.path() / name);
        if (name == "p.svg") {
            EXPECT_NE(image.find("<svg"), std::string::npos);
            EXPECT_NE(image.find("predator.sight=4"), std::string::npos);
        } else {
            EXPECT_EQ(image.substr(1, 3), "PNG");
        }
    }
}

TEST(SweepProgram, ShowsProgressUnlessQuietAndItsVersionAndHelp) {
    ScratchFolder folder;
    folder.write("lurkfield.config", huntingWorld);
    const RunResult shown = runSweep(folder, {"--reps", "4", "--turns", "5"});
    expectDone(shown);
    EXPECT_EQ(shown.err.rfind("runs done 4/4, 0:0", 0), 0u) << shown.err;
    EXPECT_EQ(runSweep(folder, {"--reps", "4", "--turns", "5", "--quiet"}).err, "");
    EXPECT_EQ(runSweep(folder, {"--version"}).out, "lurkfield-sweep " LURKFIELD_VERSION "\n");
    EXPECT_NE(runSweep(folder, {"--help"}).out.find("--merge FILE..."), std::string::npos);
    if (std::string(LURKFIELD_SWEEP_MPI_PROGRAM).empty())
        return;
    EXPECT_EQ(runProgramIn(folder, LURKFIELD_SWEEP_MPI_PROGRAM, {"--version"}).out,
              "lurkfield-sweep-mpi " LURKFIELD_VERSION "\n");
    const RunResult mpiUsage = runProgramIn(folder, LURKFIELD_SWEEP_MPI_PROGRAM, {"--jobs", "2"});
    EXPECT_EQ(mpiUsage.exitCode, 2);
    EXPECT_EQ(mpiUsage.err.rfind("--jobs is not an option of lurkfield-sweep-mpi", 0), 0u);
}

TEST(SweepProgram, ReapsEveryWorkerBeforeItEnds) {
    ScratchFolder folder;
    folder.write("lurkfield.config", "grid.x 300\ngrid.y 200\nobstacle.density 10\n"
                                     "prey.number 6000\npredator.number 600\n");
    GroupedSweep sweep(folder, {"--reps", "4", "--turns", "2", "--jobs", "2", "--table", "t.csv"});
    const int status = sweep.wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(sweep.groupGoneNow()) << "a worker was still ending when the sweep had ended";
}
