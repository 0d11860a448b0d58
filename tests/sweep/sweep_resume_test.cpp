// An interrupted sweep resumed (--resume), as a user does after Ctrl+C, a job
// killed at its time limit or a power cut: the files end as the uninterrupted
// sweep's, and files of another sweep are refused without a byte changed.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <sys/wait.h>

#include "SweepRuns.h"
#include "core/AddressSanitizer.h"

namespace {

// Runs of about a tenth of a second each (the sweep takes about half a second
// here): a signal once run 0 is over lands while most runs are still to play.
const std::string world = "grid.x 60\ngrid.y 40\nobstacle.density 10\nprey.number 300\n"
                          "predator.number 3\nprey.reaction_time 1\n";
const std::vector<std::string> sweepArgs = {"--vary", "predator.number=2,4", "--reps", "4",
                                            "--turns", "80000", "--every", "1000",
                                            "--jobs",  "2",    "--quiet"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::vector<std::string> files(bool summary) {
    return summary ? std::vector<std::string>{"--table", "t.csv", "--summary", "s.csv"}
                   : std::vector<std::string>{"--table", "t.csv"};
}

// The table and the summary of the whole sweep, played without a break.
struct Uninterrupted {
    Uninterrupted() {
        folder.write("lurkfield.config", world);
        const RunResult run = runSweep(folder, with(sweepArgs, files(true)));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        table = readWhole(folder.path() / "t.csv");
        summary = readWhole(folder.path() / "s.csv");
    }
    ScratchFolder folder;
    std::string table;
    std::string summary;
};

const Uninterrupted& uninterrupted() {
    static const Uninterrupted whole;
    return whole;
}

// The outputs of a sweep in the folder, resumed by `program` (lurkfield-sweep
// or mpirun ... lurkfield-sweep-mpi).
RunResult resume(const ScratchFolder& folder, bool summary, std::vector<std::string> program = {}) {
    std::vector<std::string> args = with(with(sweepArgs, files(summary)), {"--resume"});
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

// The first `lines` lines of the summary (its header and rows), and `torn`
// bytes of the next one.
std::string summaryLines(const std::string& summary, std::size_t lines, std::size_t torn) {
    std::size_t bytes = 0;
    for (std::size_t line = 0; line < lines; ++line)
        bytes = summary.find('\n', bytes) + 1;
    return summary.substr(0, bytes + torn);
}

} // namespace

// Ctrl+C reaches every process of the terminal's group; SIGTERM or SIGKILL may
// reach the sweep alone. No worker is left, the files end with whole rows
// unless the sweep was killed outright, and the sweep goes on from them.
TEST(SweepResume, EndsWithTheBytesOfTheUninterruptedSweepWhateverStoppedIt) {
    uninterrupted();
    for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
        for (const bool summary : {true, false}) {
            const std::string what = std::string(strsignal(signal)) +
                                     (summary ? " with a summary" : " without a summary");
            ScratchFolder folder;
            folder.write("lurkfield.config", world);
            GroupedSweep sweep(folder, with(sweepArgs, files(summary)));
            // Once run 1 has rows, run 0 is over and most runs are still to play.
            ASSERT_TRUE(waitFor([&] {
                return readWhole(folder.path() / "t.csv").find("\n1,") != std::string::npos;
            })) << what;
            signal == SIGINT ? sweep.signalGroup(signal) : sweep.signalSweep(signal);
            const int status = sweep.wait();
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << what;
            EXPECT_TRUE(signal == SIGKILL ? sweep.noLiveMember() : sweep.groupGone())
                << what << ": a worker outlived the sweep";
            const auto record = nlohmann::json::parse(readWhole(folder.path() / "t.csv.json"));
            EXPECT_EQ(record["state"], signal == SIGKILL ? "running" : "interrupted") << what;
            EXPECT_TRUE(signal == SIGKILL || readWhole(folder.path() / "t.csv").back() == '\n')
                << what << ": a torn row";
            const RunResult resumed = resume(folder, summary);
            EXPECT_EQ(resumed.exitCode, 0) << what << '\n' << resumed.err;
            expectWhole(folder, summary, what);
        }
    }
}

// Killed outright or by a power cut, each file may have lost another tail: a
// torn last line, a table shorter than its summary says, a summary behind its
// table. The runs that every file holds whole are kept and the rest played
// again, also by lurkfield-sweep-mpi.
TEST(SweepResume, GoesOnFromFilesThatEachLostADifferentTail) {
    const Uninterrupted& whole = uninterrupted();
    struct Cut {
        const char* what;
        double table;
        std::optional<std::size_t> summaryLines; // its header first; none: no summary
        std::size_t torn = 0;
        bool mpi = false;
    };
    const Cut cuts[] = {
        {"a table without its header", 0.0, std::nullopt},
        {"a table cut inside a run, its last line torn", 0.45, std::nullopt},
        {"both files without their headers", 0.0, 0, 10},
        {"a table shorter than its summary says", 0.3, 1 + 8},
        {"a table cut inside the last run its summary lists", 3.5 / 8, 1 + 4},
        {"a summary behind its table", 1.0, 1 + 2},
        {"a summary torn inside a row", 0.8, 1 + 5, 7},
        {"the same over MPI", 0.3, 1 + 6, 0, true},
    };
    for (const Cut& cut : cuts) {
        const std::vector<std::string> mpirun =
            cut.mpi ? mpirunCommand(2) : std::vector<std::string>{};
        if (cut.mpi && mpirun.empty())
            continue;
        ScratchFolder folder;
        folder.write("lurkfield.config", world);
        const auto tableBytes = static_cast<std::size_t>(cut.table * whole.table.size());
        folder.write("t.csv", whole.table.substr(0, tableBytes));
        folder.write("t.csv.json", readWhole(whole.folder.path() / "t.csv.json"));
        if (cut.summaryLines) {
            folder.write("s.csv", summaryLines(whole.summary, *cut.summaryLines, cut.torn));
            folder.write("s.csv.json", readWhole(whole.folder.path() / "s.csv.json"));
        }
        const RunResult resumed = resume(folder, cut.summaryLines.has_value(), mpirun);
        EXPECT_EQ(resumed.exitCode, 0) << cut.what << '\n' << resumed.err;
        expectWhole(folder, cut.summaryLines.has_value(), cut.what);
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
        {{"--turns", "5000"},
         "t.csv is not of this sweep: --turns 80000, not 5000",
         world,
         half,
         record},
        {{},
         "t.csv is not of this sweep: the settings text differs",
         world + "prey.number 5\n",
         half,
         record},
        {{}, "there is no record of how t.csv was made (t.csv.json)", world, whole.table, ""},
        {{},
         "t.csv does not begin with the header of this sweep's table",
         world,
         "run,x\n",
         record},
        {{},
         "t.csv holds a row that is not a row of this sweep in run order: 9,0,1,",
         world,
         linesOf(whole.table)[0] + "\n9,0,1,2,0,1,1,1\n",
         record},
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
        EXPECT_EQ(readWhole(folder.path() / "t.csv.json"), c.tableRecord) << c.problem;
    }
}
