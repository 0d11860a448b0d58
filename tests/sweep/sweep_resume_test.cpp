// An interrupted sweep resumed (--resume), as a user does after Ctrl+C, a job
// killed at its time limit or a power cut: the files end as the uninterrupted
// sweep's, and files of another sweep are refused without a byte changed.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <random>
#include <sys/wait.h>
#include <thread>

#include "SweepRuns.h"
#include "core/AddressSanitizer.h"

namespace {

// Runs of about a tenth of a second each (the sweep takes about half a second
// here); a signal lands within the time the uninterrupted sweep took.
const std::string world = "grid.x 60\ngrid.y 40\nobstacle.density 10\nprey.number 300\n"
                          "predator.number 3\nprey.reaction_time 1\n";
const std::vector<std::string> sweepArgs = {"--vary", "predator.number=2,4", "--reps", "4",
                                            "--turns", "80000", "--every", "1000",
                                            "--jobs",  "2",    "--quiet"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The table and the summary of the whole sweep, played without a break.
struct Uninterrupted {
    Uninterrupted() {
        folder.write("lurkfield.config", world);
        const auto start = std::chrono::steady_clock::now();
        const RunResult run =
            runSweep(folder, with(sweepArgs, {"--table", "t.csv", "--summary", "s.csv"}));
        took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(run.exitCode, 0) << run.err;
        table = readWhole(folder.path() / "t.csv");
        summary = readWhole(folder.path() / "s.csv");
    }
    ScratchFolder folder;
    std::string table;
    std::string summary;
    std::chrono::steady_clock::duration took;
};

const Uninterrupted& uninterrupted() {
    static const Uninterrupted whole;
    return whole;
}

// The outputs of a sweep in the folder, resumed by `program` (lurkfield-sweep
// or mpirun ... lurkfield-sweep-mpi).
RunResult resume(const ScratchFolder& folder, bool summary, std::vector<std::string> program = {}) {
    std::vector<std::string> args = with(sweepArgs, {"--table", "t.csv", "--resume"});
    if (summary)
        args = with(args, {"--summary", "s.csv"});
    if (program.empty())
        return runSweep(folder, args);
    const std::string mpirun = program.front();
    program.erase(program.begin());
    std::vector<std::pair<std::string, std::string>> environment;
    if (builtWithAddressSanitizer)
        environment.push_back({"ASAN_OPTIONS", "detect_leaks=0:halt_on_error=1"});
    // mpirun's ranks stand for --jobs.
    args.erase(std::find(args.begin(), args.end(), "--jobs"),
               std::find(args.begin(), args.end(), "--jobs") + 2);
    return runProgramIn(folder, mpirun, with(program, args), environment);
}

void expectWhole(const ScratchFolder& folder, bool summary, const std::string& what) {
    EXPECT_TRUE(readWhole(folder.path() / "t.csv") == uninterrupted().table) << what;
    if (summary) {
        EXPECT_TRUE(readWhole(folder.path() / "s.csv") == uninterrupted().summary) << what;
    }
    const auto record = nlohmann::json::parse(readWhole(folder.path() / "t.csv.json"));
    EXPECT_EQ(record["state"], "complete") << what;
    EXPECT_EQ(record["runs_played"], 8) << what;
    EXPECT_EQ(record["sessions"].size(), 2u) << what;
}

// The summary as it stood when the table was cut after `bytes`: the rows of
// the runs whose table rows all stand before the cut.
std::string summaryBefore(const Uninterrupted& whole, std::size_t bytes) {
    const std::vector<std::string> lines = linesOf(whole.summary);
    std::string rows = lines[0] + "\n";
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string lastRow = "\n" + lines[i].substr(0, lines[i].find(',') + 1);
        if (whole.table.find('\n', whole.table.rfind(lastRow) + 1) + 1 <= bytes)
            rows += lines[i] + "\n";
    }
    return rows;
}

} // namespace

TEST(SweepResume, EndsWithTheBytesOfTheUninterruptedSweepWhateverStoppedIt) {
    const auto took = uninterrupted().took;
    std::minstd_rand draw(2026);
    for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
        for (const bool summary : {true, false}) {
            const std::string what = std::string(strsignal(signal)) +
                                     (summary ? " with a summary" : " without a summary");
            ScratchFolder folder;
            folder.write("lurkfield.config", world);
            std::vector<std::string> args = with(sweepArgs, {"--table", "t.csv"});
            if (summary)
                args = with(args, {"--summary", "s.csv"});
            GroupedSweep sweep(folder, args);
            // Between a tenth and a half of the sweep: the runs under way at a
            // signal may still finish.
            std::this_thread::sleep_for(took * (100 + draw() % 400) / 1000);
            sweep.signalSweep(signal);
            sweep.wait();
            EXPECT_EQ(readWhole(folder.path() / "t.csv.json").find("\"state\": \"complete\""),
                      std::string::npos)
                << what << ": the sweep was over before the signal";
            EXPECT_TRUE(sweep.noLiveMember()) << what << ": a worker outlived the sweep";
            const RunResult resumed = resume(folder, summary);
            EXPECT_EQ(resumed.exitCode, 0) << what << '\n' << resumed.err;
            expectWhole(folder, summary, what);
        }
    }
}

// Files cut anywhere, a torn last line included, are resumed from the runs
// they hold whole; so is a sweep resumed by lurkfield-sweep-mpi.
TEST(SweepResume, GoesOnFromFilesCutAnywhere) {
    const Uninterrupted& whole = uninterrupted();
    std::vector<std::vector<std::string>> programs = {{}};
    std::vector<std::string> mpirun = mpirunCommand(2);
    if (!mpirun.empty())
        programs.push_back(mpirun);
    for (const auto& program : programs) {
        for (const double cut : program.empty() ? std::vector{0.0, 0.45, 0.999} : std::vector{0.3}) {
            for (const bool summary : {true, false}) {
                const std::string what = std::to_string(cut) + (summary ? " with" : " without") +
                                         " a summary" + (program.empty() ? "" : " over MPI");
                ScratchFolder folder;
                folder.write("lurkfield.config", world);
                const auto bytes = static_cast<std::size_t>(cut * whole.table.size());
                folder.write("t.csv", whole.table.substr(0, bytes));
                folder.write("t.csv.json", readWhole(whole.folder.path() / "t.csv.json"));
                if (summary) {
                    folder.write("s.csv", summaryBefore(whole, bytes));
                    folder.write("s.csv.json", readWhole(whole.folder.path() / "s.csv.json"));
                }
                const RunResult resumed = resume(folder, summary, program);
                EXPECT_EQ(resumed.exitCode, 0) << what << '\n' << resumed.err;
                expectWhole(folder, summary, what);
            }
        }
    }
}

TEST(SweepResume, RefusesFilesOfAnotherSweepAndChangesNothing) {
    const Uninterrupted& whole = uninterrupted();
    const std::string record = readWhole(whole.folder.path() / "t.csv.json");
    const std::string half = whole.table.substr(0, whole.table.size() / 2);
    struct Case {
        std::vector<std::string> args;
        std::string problem;
        std::string settings;
        std::string table;
        std::string tableRecord;
    };
    const Case cases[] = {
        {{"--turns", "5000"}, "t.csv is not of this sweep: --turns 80000, not 5000", world, half,
         record},
        {{"--shard", "1/2"}, "t.csv is not of this sweep: shard 1/1, not 1/2", world, half, record},
        {{}, "t.csv is not of this sweep: the settings text differs", world + "prey.number 5\n",
         half, record},
        {{}, "there is no record of how t.csv was made (t.csv.json)", world, whole.table, ""},
        {{}, "t.csv.json is not a record that lurkfield-sweep wrote", world, whole.table, "{"},
        {{}, "t.csv does not begin with the header of this sweep's table", world, "run,x\n",
         record},
        {{}, "t.csv holds a row that is not a row of this sweep in run order: 9,0,1,", world,
         linesOf(whole.table)[0] + "\n9,0,1,2,0,1,1,1\n", record},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        folder.write("lurkfield.config", c.settings);
        folder.write("t.csv", c.table);
        if (!c.tableRecord.empty())
            folder.write("t.csv.json", c.tableRecord);
        const RunResult resumed =
            runSweep(folder, with(with(sweepArgs, c.args), {"--table", "t.csv", "--resume"}));
        EXPECT_EQ(resumed.exitCode, 2) << c.problem << '\n' << resumed.err;
        EXPECT_NE(resumed.err.find("lurkfield-sweep: cannot resume: " + c.problem),
                  std::string::npos)
            << resumed.err;
        EXPECT_TRUE(readWhole(folder.path() / "t.csv") == c.table) << c.problem;
        if (!c.tableRecord.empty()) {
            EXPECT_EQ(readWhole(folder.path() / "t.csv.json"), c.tableRecord) << c.problem;
        }
    }
}
