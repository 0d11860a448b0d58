#include <gtest/gtest.h>

#include "tools/common/UsageError.h"
#include "tools/sweep/SweepOptions.h"

namespace {

std::string usageErrorOf(const std::vector<std::string>& args,
                         SweepProgram program = SweepProgram::Forked) {
    try {
        readSweepOptions(args, program);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "(accepted)";
}

std::vector<std::int32_t> valuesOf(const std::string& text) {
    const ValueList list = ValueList::parse("k", text);
    std::vector<std::int32_t> values;
    for (std::uint64_t i = 0; i < list.size(); ++i)
        values.push_back(list.at(i));
    return values;
}

} // namespace

TEST(SweepOptions, ReadEveryOption) {
    const SweepOptions options = readSweepOptions({"--config",  "w.cfg",
                                                   "--set",     "prey.number=4",
                                                   "--vary",    "predator.sight=0:2:6",
                                                   "--vary",    "prey.eatable=0,1",
                                                   "--reps",    "3",
                                                   "--seed",    "10",
                                                   "--turns",   "50",
                                                   "--every",   "5",
                                                   "--jobs",    "4",
                                                   "--table",   "t.csv",
                                                   "--summary", "s.csv",
                                                   "--plot",    "p.svg",
                                                   "--shard",   "2/5",
                                                   "--quiet"},
                                                  SweepProgram::Forked);
    EXPECT_EQ(options.configFile, "w.cfg");
    EXPECT_EQ(options.settings.at(0).asFileLine(), "prey.number 4");
    EXPECT_EQ(options.plan.points(), 8u);
    EXPECT_EQ(options.plan.runs(), 24u);
    EXPECT_EQ(options.plan.seedOf(0), 10u);
    EXPECT_EQ(options.turns, 50u);
    EXPECT_EQ(options.every, 5u);
    EXPECT_EQ(options.jobs, 4u);
    EXPECT_EQ(options.summary, "s.csv");
    EXPECT_EQ(options.plot, "p.svg");
    EXPECT_EQ(options.shard, (Shard{2, 5}));
    EXPECT_TRUE(options.quiet);
    EXPECT_EQ(options.sequence().size(), 5u);
}

TEST(SweepOptions, TakeMergeWithItsFilesAndTheOneFileToWrite) {
    const SweepOptions options = readSweepOptions(
        {"--merge", "b.csv", "--a.csv", "--summary", "all.csv"}, SweepProgram::Forked);
    EXPECT_EQ(options.mergeFiles, (std::vector<std::string>{"b.csv", "--a.csv"}));
    EXPECT_EQ(options.summary, "all.csv");
}

TEST(ValueLists, ReadListsAndRangesWithTheLastValueWhenReached) {
    EXPECT_EQ(valuesOf("3"), (std::vector<std::int32_t>{3}));
    EXPECT_EQ(valuesOf("5,-2,+7,0"), (std::vector<std::int32_t>{5, -2, 7, 0}));
    EXPECT_EQ(valuesOf("0:1:4"), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(valuesOf("0:3:10"), (std::vector<std::int32_t>{0, 3, 6, 9}));
    EXPECT_EQ(valuesOf("10:-4:0"), (std::vector<std::int32_t>{10, 6, 2}));
    EXPECT_EQ(valuesOf("7:5:7"), (std::vector<std::int32_t>{7}));
    EXPECT_EQ(valuesOf("2147483646:1:2147483647"),
              (std::vector<std::int32_t>{2147483646, 2147483647}));
    EXPECT_EQ(ValueList::parse("k", "-2147483648:1:2147483647").size(), 4294967296u);
}

// Every refused command line, with what the user is told.
TEST(SweepOptions, SayWhatIsWrongWithACommandLine) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--vary", "k="}, "--vary k needs values: V1,V2,... or FIRST:STEP:LAST"},
        {{"--vary", "k"}, "--vary needs KEY=VALUES, not 'k'"},
        {{"--vary", "=1,2"}, "--vary needs KEY=VALUES, not '=1,2'"},
        {{"--vary", "a b=1"}, "--vary needs a KEY without blanks, not 'a b'"},
        {{"--vary", "k=1,,2"}, "--vary k has an empty value in '1,,2'"},
        {{"--vary", "k=1,x"},
         "--vary k needs whole numbers (V1,V2,... or FIRST:STEP:LAST), not 'x'"},
        {{"--vary", "k=1.5"},
         "--vary k needs whole numbers (V1,V2,... or FIRST:STEP:LAST), not '1.5'"},
        {{"--vary", "k=+-3"},
         "--vary k needs whole numbers (V1,V2,... or FIRST:STEP:LAST), not '+-3'"},
        {{"--vary", "k=2147483648"},
         "--vary k needs values from -2147483648 to 2147483647, not '2147483648'"},
        {{"--vary", "k=1:2"}, "--vary k needs FIRST:STEP:LAST, not '1:2'"},
        {{"--vary", "k=1::5"}, "--vary k needs FIRST:STEP:LAST, not '1::5'"},
        {{"--vary", "k=1:0:5"}, "--vary k needs a STEP other than 0, not '1:0:5'"},
        {{"--vary", "k=5:1:0"}, "--vary k gives no values: '5:1:0' steps away from LAST"},
        {{"--vary", "k=1", "--vary", "k=2"}, "--vary k is given twice"},
        {{"--vary", "turn=1"}, "--vary turn would give the table two columns named 'turn'"},
        {{"--reps", "0"}, "--reps needs a whole number from 1 to 1000000, not '0'"},
        {{"--turns", "x"}, "--turns needs a whole number, not 'x'"},
        {{"--every", "0"}, "--every needs a whole number from 1 to 18446744073709551615, not '0'"},
        {{"--jobs", "0"}, "--jobs needs a whole number from 1 to 1024, not '0'"},
        {{"--seed", "0"}, "--seed needs a whole number from 1 to 4294967295, not '0'"},
        {{"--seed", "4294967295", "--reps", "2"},
         "--seed 4294967295 leaves no seed for run 1: seeds go up to 4294967295"},
        {{"--shard", "0/3"},
         "--shard needs K/N with K from 1 to N and N from 1 to 1000000, not '0/3'"},
        {{"--shard", "4/3"},
         "--shard needs K/N with K from 1 to N and N from 1 to 1000000, not '4/3'"},
        {{"--shard", "3"}, "--shard needs K/N with K from 1 to N and N from 1 to 1000000, not '3'"},
        {{"--shard", "1/0"},
         "--shard needs K/N with K from 1 to N and N from 1 to 1000000, not '1/0'"},
        {{"--vary", "a=1:1:1000", "--vary", "b=1:1:1001"},
         "this sweep would have more than 1000000 runs (design points x --reps)"},
        {{"--vary", "a=1:1:1000", "--reps", "1001"},
         "this sweep would have more than 1000000 runs (design points x --reps)"},
        {{"--plot", "p.pdf"}, "--plot needs a file name ending in .svg or .png, not 'p.pdf'"},
        {{"--plot", "p.svg", "--vary", "a=1:1:201"},
         "--plot draws at most 200 design points; this sweep has 201"},
        {{"--table", "a.csv", "--summary", "a.csv"},
         "--table and --summary name the same file, 'a.csv'"},
        {{"--table", "x.svg", "--plot", "x.svg"}, "--plot names the same file as a table, 'x.svg'"},
        {{"--merge"}, "--merge needs the table files of the shards"},
        {{"--quiet", "--merge", "a.csv"}, "--merge comes alone: lurkfield-sweep --merge FILE..."},
        {{"--merge", "a.csv", "--table", "t.csv", "--summary", "s.csv"},
         "--merge writes one file: --table FILE or --summary FILE"},
        {{"--resume"}, "--resume needs --table FILE: the table of the sweep to go on with"},
        {{"--table"}, "--table needs a file name, or - for standard output"},
        {{"--set", "x"}, "--set needs KEY=VALUE, not 'x'"},
        {{"--fast"}, "unknown option '--fast'"},
    };
    for (const auto& [args, message] : cases)
        EXPECT_EQ(usageErrorOf(args), message);
}

TEST(SweepOptions, AcceptTheLargestSweepAndTheLastSeeds) {
    EXPECT_EQ(usageErrorOf({"--vary", "a=1:1:1000", "--reps", "1000"}), "(accepted)");
    EXPECT_EQ(usageErrorOf({"--seed", "4294967294", "--reps", "2"}), "(accepted)");
}

TEST(SweepOptions, LeaveJobsAndShardsToMpirunInTheMpiProgram) {
    EXPECT_EQ(usageErrorOf({"--jobs", "2"}, SweepProgram::Mpi),
              "--jobs is not an option of lurkfield-sweep-mpi: mpirun's -np sets how many ranks "
              "play runs");
    EXPECT_EQ(usageErrorOf({"--shard", "1/2"}, SweepProgram::Mpi),
              "--shard is not an option of lurkfield-sweep-mpi: mpirun's -np sets how many ranks "
              "play runs");
    EXPECT_EQ(usageErrorOf({"--merge", "a.csv"}, SweepProgram::Mpi),
              "--merge is not an option of lurkfield-sweep-mpi: join tables with lurkfield-sweep "
              "--merge FILE...");
}
