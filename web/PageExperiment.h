#pragma once
// An experiment of the page: lurkfield-sweep's options that mean something
// there (--set, --vary, --reps, --seed, --turns, --every) and the editor's
// settings text, read by the sweep's own code. Each run is played in a fresh
// instance of the program (a worker's), as the sweep plays it in a process of
// its own, and reported as the sweep's workers report a run
// (tools/sweep/workers/WorkerProtocol.h).
#include <cstdint>
#include <string>
#include <vector>

#include "tools/sweep/SweepOptions.h"

// The most runs a page takes on: more would keep a tab busy for hours.
inline constexpr std::uint64_t maxPageRuns = 20'000;

class PageExperiment {
public:
    // The options as typed (split at white space) and the settings text; a
    // UsageError that says what is wrong otherwise: the sweep's own message,
    // or the page's for an option of the sweep that means nothing here.
    PageExperiment(const std::string& optionsText, const std::string& settingsText);

    const SweepOptions& options() const { return sweep; }
    const RunPlan& plan() const { return sweep.plan; }
    std::uint64_t runs() const { return sweep.plan.runs(); }
    // The command line of lurkfield-sweep that plays these runs from the same
    // settings file (with musl's rand()): its name, then the options as typed.
    std::vector<std::string> commandLine() const;

    // Plays run `run` and gives its report: the bytes a sweep's worker sends,
    // its recorded turns and then its end.
    std::string play(std::uint64_t run) const;

private:
    std::vector<std::string> args;
    SweepOptions sweep;
};
