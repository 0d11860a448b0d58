#pragma once
// The page's experiment as its workers report it, kept in the page's own
// instance of the program: each run's report (the bytes of the sweep's worker
// protocol) as it arrives, in any order. The files, the tally and the chart are
// made when asked, from every run reported so far handed in run order to the
// sweep's own sinks (TableWriter, SummaryWriter, PlotData) and its tally: so
// they hold the finished runs of an experiment that was cancelled too,
// whatever finished first. A report that is not the protocol's, or that stops
// before the run's end, is a failed run, as the sweep counts a worker that
// breaks off. The record of how the files were made is the sweep's
// (SweepRecord), with the page as the maker.
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/sweep/record/SweepRecord.h"
#include "web/PageExperiment.h"
#include "web/PlotFigures.h"

class ExperimentSession {
public:
    // A UsageError, as PageExperiment says, when the options are not the page's.
    ExperimentSession(const std::string& optionsText, const std::string& settingsText);

    const PageExperiment& experiment() const { return page; }

    // Keeps the report of a run of the plan. A run reported again keeps its
    // first report: one run never ends twice.
    void report(std::uint64_t run, std::string bytes);
    std::uint64_t reportedRuns() const { return reports.size(); }

    // Who plays the runs, and from which page: for the record.
    void playing(std::uint64_t workers, std::string pageAddress);
    // The page plays no more runs: the experiment is complete when every run
    // was reported, interrupted otherwise.
    void stopped();

    // The table and the summary as lurkfield-sweep writes them: the header,
    // then the rows of every reported run in run order.
    std::string table() const;
    std::string summary() const;
    // The record of the table, downloaded as `tableFile`, as lurkfield-sweep
    // writes it beside the file (FILE.json), with the same fields: the page and
    // its workers made it.
    SweepRecord record(const std::string& tableFile) const;

    struct Outcome {
        OutcomeTally tally;
        // The chart's lines, none when the plan has more points than a plot
        // draws; `chartProblem` says why there are none when there should be.
        std::vector<PlotLine> chart;
        std::string chartProblem;
    };
    Outcome outcome() const;

private:
    // Hands every reported run to the sink, in run order.
    void replay(RunSink& sink) const;
    // The file a writer makes of the reported runs, after its header, in this
    // instance's memory file system.
    template <class Writer> std::string written(const std::string& header) const;

    PageExperiment page;
    std::map<std::uint64_t, std::string> reports;
    std::chrono::system_clock::time_point started = std::chrono::system_clock::now();
    std::optional<std::chrono::system_clock::time_point> ended;
    std::string workers;
    std::string address;
};
