#include "tools/sweep/SweepOptions.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "tools/common/OptionValues.h"
#include "tools/common/UsageError.h"
#include "tools/sweep/rows/Columns.h"

namespace {

const char* const forkedUsage =
    "usage: lurkfield-sweep [--config FILE] [--set KEY=VALUE]... [--vary KEY=VALUES]...\n"
    "                       [--reps N] [--seed S] [--turns N] [--every K] [--jobs N]\n"
    "                       [--table FILE|-] [--summary FILE] [--plot FILE.svg|FILE.png]\n"
    "                       [--shard K/N] [--quiet] [--resume]\n"
    "       lurkfield-sweep --merge FILE... [--table FILE|--summary FILE]\n"
    "  --config FILE      the settings file (default: lurkfield.config)\n"
    "  --set KEY=VALUE    as if the file ended with the line \"KEY VALUE\" (repeatable)\n"
    "  --vary KEY=VALUES  V1,V2,... or FIRST:STEP:LAST (repeatable; every combination\n"
    "                     is a design point, the first --vary varying slowest)\n"
    "  --reps N           runs of every design point (default: 1)\n"
    "  --seed S           run r is seeded with srand(S + r) (default: 1)\n"
    "  --turns N          turns of every run (default: 100)\n"
    "  --every K          record turns 0, K, 2K, ... and the last (default: 1)\n"
    "  --jobs N           runs at once, each in a process of its own (default: one per core)\n"
    "  --table FILE|-     the counts of every recorded turn, CSV (default: standard output)\n"
    "  --summary FILE     one CSV row per run\n"
    "  --plot FILE        prey and predators against the turn (.svg or .png; needs gnuplot)\n"
    "  --shard K/N        only the runs with run mod N = K - 1 (join the parts with --merge)\n"
    "  --quiet            no progress on standard error\n"
    "  --resume           go on with the interrupted sweep of these options in --table FILE\n"
    "  --merge FILE...    join the tables (or summaries) of a sweep's shards into one, on\n"
    "                     standard output or into --table FILE (or --summary FILE)\n"
    "  --help, --version\n";

const char* const mpiUsage =
    "usage: mpirun -np RANKS lurkfield-sweep-mpi [--config FILE] [--set KEY=VALUE]...\n"
    "           [--vary KEY=VALUES]... [--reps N] [--seed S] [--turns N] [--every K]\n"
    "           [--table FILE|-] [--summary FILE] [--plot FILE.svg|FILE.png] [--quiet]\n"
    "           [--resume]\n"
    "  The options of lurkfield-sweep (see lurkfield-sweep --help) except --jobs and\n"
    "  --shard: rank 0 writes, every other rank plays runs as it becomes free.\n"
    "  --help, --version\n";

// What the command line says of the runs, until the plan is made of it.
struct PlanOptions {
    std::vector<VariedKey> varied;
    std::uint64_t reps = 1;
    unsigned firstSeed = 1;
};

void addVaried(PlanOptions& plan, const std::string& text) {
    const SettingLine pair = parseSettingLine("--vary", text, "KEY=VALUES");
    if (isColumnName(pair.key))
        throw UsageError("--vary " + pair.key + " would give the table two columns named '" +
                         pair.key + "'");
    for (const VariedKey& earlier : plan.varied) {
        if (earlier.key == pair.key)
            throw UsageError("--vary " + pair.key + " is given twice");
    }
    plan.varied.push_back({pair.key, ValueList::parse(pair.key, pair.value), pair.value});
}

void readShard(SweepOptions& options, const std::string& text) {
    const std::optional<Shard> shard = Shard::parse(text);
    if (!shard || shard->count > RunPlan::maxRuns)
        throw UsageError("--shard needs K/N with K from 1 to N and N from 1 to " +
                         std::to_string(RunPlan::maxRuns) + ", not '" + text + "'");
    options.shard = *shard;
}

void readOutputs(SweepOptions& options, OptionCursor& cursor, const std::string& arg) {
    if (arg == "--table") {
        options.table = cursor.valueOf(arg, "a file name, or - for standard output");
    } else if (arg == "--summary") {
        options.summary = cursor.valueOf(arg, "a file name");
    } else {
        options.plot = cursor.valueOf(arg, "a file name ending in .svg or .png");
    }
}

// Reads one option; false when the argument is none of the sweep's.
bool readOption(SweepOptions& options, PlanOptions& plan, OptionCursor& cursor,
                const std::string& arg) {
    if (arg == "--config") {
        options.configFile = cursor.valueOf(arg, "a file name");
    } else if (arg == "--set") {
        options.settings.push_back(parseSettingLine(arg, cursor.valueOf(arg, "KEY=VALUE")));
    } else if (arg == "--vary") {
        addVaried(plan, cursor.valueOf(arg, "KEY=VALUES"));
    } else if (arg == "--reps") {
        plan.reps = wholeNumber(arg, cursor.valueOf(arg, "a whole number"), 1, RunPlan::maxRuns);
    } else if (arg == "--seed") {
        plan.firstSeed = static_cast<unsigned>(
            wholeNumber(arg, cursor.valueOf(arg, "a whole number"), 1, UINT_MAX));
    } else if (arg == "--turns") {
        options.turns = wholeNumber(arg, cursor.valueOf(arg, "a whole number"));
    } else if (arg == "--every") {
        options.every = wholeNumber(arg, cursor.valueOf(arg, "a whole number"), 1,
                                    std::numeric_limits<std::uint64_t>::max());
    } else if (arg == "--jobs") {
        options.jobs = static_cast<unsigned>(
            wholeNumber(arg, cursor.valueOf(arg, "a whole number"), 1, maxJobs));
    } else if (arg == "--shard") {
        readShard(options, cursor.valueOf(arg, "K/N"));
    } else if (arg == "--table" || arg == "--summary" || arg == "--plot") {
        readOutputs(options, cursor, arg);
    } else if (arg == "--quiet") {
        options.quiet = true;
    } else if (arg == "--resume") {
        options.resume = true;
    } else if (arg == "--help") {
        options.help = true;
    } else if (arg == "--version") {
        options.version = true;
    } else {
        return false;
    }
    return true;
}

void checkOutputs(const SweepOptions& options) {
    if (options.resume && options.table == "-")
        throw UsageError("--resume needs --table FILE: the table of the sweep to go on with");
    if (options.summary && *options.summary == options.table)
        throw UsageError("--table and --summary name the same file, '" + options.table + "'");
    if (options.plot) {
        const std::string& plot = *options.plot;
        if (!plot.ends_with(".svg") && !plot.ends_with(".png"))
            throw UsageError("--plot needs a file name ending in .svg or .png, not '" + plot + "'");
        if (plot.find_first_of("\n\r") != std::string::npos)
            throw UsageError("--plot needs a file name on one line");
        if (plot == options.table || (options.summary && plot == *options.summary))
            throw UsageError("--plot names the same file as a table, '" + plot + "'");
    }
}

void checkRuns(const SweepOptions& options) {
    const RunPlan& plan = options.plan;
    if (plan.runs() > RunPlan::maxRuns)
        throw UsageError("this sweep would have more than " + std::to_string(RunPlan::maxRuns) +
                         " runs (design points x --reps)");
    if (options.plot && plan.points() > maxPlottedPoints)
        throw UsageError("--plot draws at most " + std::to_string(maxPlottedPoints) +
                         " design points; this sweep has " + std::to_string(plan.points()));
    if (plan.runs() - 1 > UINT_MAX - plan.firstSeed())
        throw UsageError("--seed " + std::to_string(plan.firstSeed()) + " leaves no seed for run " +
                         std::to_string(plan.runs() - 1) + ": seeds go up to 4294967295");
}

// The parts to join, and the one file to join them into if --table or
// --summary names it; every other argument is a part.
void readMerge(SweepOptions& options, const std::vector<std::string>& args) {
    OptionCursor cursor(args);
    cursor.take();
    std::vector<std::string> files;
    while (!cursor.done()) {
        const std::string& arg = cursor.take();
        if (arg == "--table" || arg == "--summary") {
            if (options.table != "-" || options.summary)
                throw UsageError("--merge writes one file: --table FILE or --summary FILE");
            readOutputs(options, cursor, arg);
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty())
        throw UsageError("--merge needs the table files of the shards");
    options.mergeFiles = std::move(files);
}

} // namespace

SweepOptions readSweepOptions(const std::vector<std::string>& args, SweepProgram program) {
    SweepOptions options;
    if (program == SweepProgram::Forked && !args.empty() && args[0] == "--merge") {
        readMerge(options, args);
        return options;
    }
    PlanOptions plan;
    OptionCursor cursor(args);
    while (!cursor.done()) {
        const std::string& arg = cursor.take();
        if (arg == "--merge" && program == SweepProgram::Mpi)
            throw UsageError("--merge is not an option of lurkfield-sweep-mpi: "
                             "join tables with lurkfield-sweep --merge FILE...");
        if (arg == "--merge")
            throw UsageError("--merge comes alone: lurkfield-sweep --merge FILE...");
        if (program == SweepProgram::Mpi && (arg == "--jobs" || arg == "--shard"))
            throw UsageError(arg + " is not an option of lurkfield-sweep-mpi: "
                                   "mpirun's -np sets how many ranks play runs");
        if (!readOption(options, plan, cursor, arg))
            throwUnknownArgument(arg);
    }
    options.plan = RunPlan(std::move(plan.varied), plan.reps, plan.firstSeed);
    checkOutputs(options);
    checkRuns(options);
    return options;
}

bool SweepOptions::loadSettings(std::string& problem) {
    // A folder would open, and then read as nothing.
    std::error_code ignored;
    if (std::filesystem::is_directory(configFile, ignored)) {
        problem = std::strerror(EISDIR);
        return false;
    }
    errno = 0;
    std::ifstream file(configFile, std::ios::binary);
    if (!file.is_open()) {
        problem = std::strerror(errno != 0 ? errno : ENOENT);
        return false;
    }
    try {
        std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (file.bad()) {
            problem = std::strerror(EIO);
            return false;
        }
        settingsText = std::make_shared<const std::string>(std::move(text));
    } catch (const std::bad_alloc&) {
        problem = "there is not the memory to hold it";
        return false;
    }
    return true;
}

RunRequest SweepOptions::request(std::uint64_t run) const {
    RunRequest request;
    request.settings = {configFile, settingsText, settings};
    for (SettingLine& line : plan.linesOf(plan.pointOf(run)))
        request.settings.lines.push_back(std::move(line));
    request.seed = plan.seedOf(run);
    request.turns = turns;
    request.every = every;
    return request;
}

const char* sweepUsage(SweepProgram program) {
    return program == SweepProgram::Mpi ? mpiUsage : forkedUsage;
}
