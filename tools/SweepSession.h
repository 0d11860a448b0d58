#pragma once
// What every sweep program does around the playing of its runs: it opens the
// table and the summary, writes their headers and the record of how they are
// made, then takes every run's reports in run order (ordered()), and at the
// end finishes the files, draws the plot and says how the sweep went. The
// programs differ only in who plays the runs: forked workers or MPI ranks.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/ExperimentRun.h"
#include "tools/OrderedRuns.h"
#include "tools/OutputFile.h"
#include "tools/PlotData.h"
#include "tools/Progress.h"
#include "tools/Provenance.h"
#include "tools/SweepOptions.h"
#include "tools/SweepReport.h"
#include "tools/SweepTables.h"

// The request for one run of the sweep: the settings file, the --set lines,
// the run's design point, its seed, the turns and the recording interval.
RunRequest requestFor(const SweepOptions& options, const RunPlan& plan, std::uint64_t run);

class SweepSession {
public:
    // `program` names the program in messages; `workers` says who plays the runs.
    SweepSession(const SweepOptions& options, std::vector<std::string> commandLine,
                 std::string program, std::string workers);

    // Opens the files and writes their headers; false, with the reason on
    // standard error, when a file cannot be written.
    bool open();

    const RunPlan& plan() const { return runPlan; }
    const RunSequence& sequence() const { return runs; }
    OrderedRuns& ordered() { return *inOrder; }
    Progress& progress() { return shown; }
    // True once writing a file has failed: the sweep should stop.
    bool outputFailed() const;

    // Ends the files, draws the plot if asked and the sweep is complete, and
    // returns the exit status: 0 when every run was played and every file
    // written, 1 otherwise.
    int finish(PlayingStop stop);

private:
    bool openFile(std::unique_ptr<OutputFile>& file, const std::string& name);
    void writeProvenance(SweepState state);
    bool finishPlot(SweepState state);
    void say(const std::string& text);

    const SweepOptions& options;
    std::string programName;
    RunPlan runPlan;
    RunSequence runs;
    Progress shown;
    Provenance provenance;
    std::unique_ptr<OutputFile> table;
    std::unique_ptr<OutputFile> summary;
    std::unique_ptr<TableWriter> tableWriter;
    std::unique_ptr<SummaryWriter> summaryWriter;
    std::unique_ptr<PlotData> plotData;
    SweepReport report;
    SinkList sinks;
    std::unique_ptr<OrderedRuns> inOrder;
    bool plotPossible = true;
};
