#pragma once
// An experiment of the page: lurkfield-sweep's options that mean something
// there (--set, --vary, --reps, --seed, --turns, --every) and the editor's
// settings text, read by the sweep's own code. Each run is played in a fresh
// instance of the program, as the sweep plays it in a process of its own, and
// gives the sweep's table and summary rows for it.
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
    std::uint64_t runs() const { return sweep.plan.runs(); }

    struct RunRows {
        std::string table;
        std::string summary;
        std::string outcome;
    };
    // Plays run `run` and gives its rows as lurkfield-sweep writes them.
    RunRows play(std::uint64_t run) const;

private:
    SweepOptions sweep;
};

// The options as the shell would hand them to lurkfield-sweep, without quoting.
std::vector<std::string> splitOptions(const std::string& text);
