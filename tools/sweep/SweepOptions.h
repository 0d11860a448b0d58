#pragma once
// The command line of lurkfield-sweep and lurkfield-sweep-mpi:
//   lurkfield-sweep [--config FILE] [--set KEY=VALUE]... [--vary KEY=VALUES]... [--reps N]
//                   [--seed S] [--turns N] [--every K] [--jobs N] [--table FILE|-]
//                   [--summary FILE] [--plot FILE.svg|FILE.png] [--shard K/N] [--quiet]
//                   [--resume]
//   lurkfield-sweep --merge FILE... [--table FILE|--summary FILE]
// The MPI program takes the same options except --jobs and --shard (mpirun's
// -np sets its ranks). Everything a sweep needs is checked here, before any
// file is written or any run starts.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/SettingLine.h"
#include "tools/sweep/ExperimentRun.h"
#include "tools/sweep/RunPlan.h"
#include "tools/sweep/Shard.h"

enum class SweepProgram { Forked, Mpi };

struct SweepOptions {
    std::string configFile = "lurkfield.config";
    // The settings file's text, read once when the sweep starts (loadSettings):
    // every run of the sweep, in every worker, rank and shard, plays from it.
    std::shared_ptr<const std::string> settingsText;
    std::vector<SettingLine> settings;
    // The varied keys, --reps and --seed: the runs, made once as the options are read.
    RunPlan plan;
    std::uint64_t turns = 100;
    std::uint64_t every = 1;
    // 0: one per processor core.
    unsigned jobs = 0;
    std::string table = "-";
    std::optional<std::string> summary;
    std::optional<std::string> plot;
    Shard shard;
    bool quiet = false;
    // Go on with the interrupted sweep of these options in --table FILE.
    bool resume = false;
    bool help = false;
    bool version = false;
    // --merge: these files are joined instead of running anything, into
    // --table FILE or --summary FILE when one is given.
    std::optional<std::vector<std::string>> mergeFiles;

    // The runs of this shard of the plan.
    RunSequence sequence() const { return RunSequence(plan.runs(), shard.index, shard.count); }
    // Reads the settings file into settingsText; false, with the system's
    // reason in `problem`, when it cannot be read (an empty file can).
    bool loadSettings(std::string& problem);
    // The request for one run: the settings file, the --set lines, the run's
    // design point, its seed, the turns and the recording interval.
    RunRequest request(std::uint64_t run) const;
};

// The options of a command line (without the program name); a UsageError that
// says what is wrong otherwise.
SweepOptions readSweepOptions(const std::vector<std::string>& args, SweepProgram program);

// The usage text of the program.
const char* sweepUsage(SweepProgram program);

// The most worker processes --jobs may ask for.
inline constexpr unsigned maxJobs = 1024;
// The most design points a plot draws: more lines than that tell nothing apart.
inline constexpr std::uint64_t maxPlottedPoints = 200;
