#pragma once
// The sweep behind lurkfield.sweep: the sweep's own options and plan (read from
// the command line that the call stands for, so every check and message is the
// program's), its runs played by the sweep's forked workers or handed out as
// tasks (RunTask.h) to a Python executor, their results put in run order and
// kept as the rows of the table and the summary. Only the files, the record,
// the plot and the progress on standard error are left out: the rows are the
// frames, and the progress is Python's.
#include <pybind11/pybind11.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "RowColumns.h"
#include "tools/sweep/RunPlayer.h"
#include "tools/sweep/SweepOptions.h"
#include "tools/sweep/workers/OrderedRuns.h"

// The rows of the table, as the sweep's table writer makes them, kept as columns.
class TableColumns : public RunSink {
public:
    explicit TableColumns(const RunPlan& plan);
    void turn(std::uint64_t run, const RecordedTurn& turn) override;
    void end(std::uint64_t, const RunEnd&) override {}

    const RunPlan& plan;
    RowColumns<TableRow> columns;

private:
    std::optional<TableRow> row;
};

// The rows of the summary, as the sweep's summary writer makes them, kept as columns.
class SummaryColumns : public RunSink {
public:
    explicit SummaryColumns(const RunPlan& plan);
    void turn(std::uint64_t run, const RecordedTurn& turn) override;
    void end(std::uint64_t run, const RunEnd& end) override;

    const RunPlan& plan;
    RowColumns<SummaryRow> columns;

private:
    RunCensus census;
};

class PythonSweep : public RunResults {
public:
    // `args` are lurkfield-sweep's options; `text` is the settings file's text,
    // read once by the caller, named `configFile` in messages. A UsageError
    // with the program's message when the options are not a sweep's.
    PythonSweep(const std::vector<std::string>& args, std::string configFile, std::string text);

    std::uint64_t runCount() const { return sequence.size(); }
    // How many runs have ended, in run order.
    std::uint64_t runsEnded() const { return summary.columns.rows(); }
    // The jobs the options ask for, or one per core.
    unsigned jobs() const;

    // Plays every run on forked workers, the GIL released; `progress` is
    // called with the runs ended now and then. Ctrl+C, or an exception in
    // `progress`, ends every worker and is raised once none is left.
    void playOnWorkers(const pybind11::object& progress);

    // The run at a position of the sequence, as the task that plays it.
    std::uint64_t runAt(std::uint64_t position) const { return sequence.at(position); }
    // What a task handed back for the run: its reports, put in order.
    void report(std::uint64_t run, const std::string& reports);
    // A task that raised instead: the run failed, saying why, and the sweep goes on.
    void fail(std::uint64_t run, const std::string& why);

    // The rows of the runs ended, in run order, as RowColumns::columns.
    pybind11::list tableColumns() const { return table.columns.columns(); }
    pybind11::list summaryColumns() const { return summary.columns.columns(); }

    // What the player sees of the sweep.
    const RunSequence& runs() const override { return sequence; }
    RunRequest request(std::uint64_t run) const override { return options.request(run); }
    bool mayStart(std::uint64_t position, std::uint64_t players) const override {
        return inOrder.mayStart(position, players);
    }
    bool finished() const override { return inOrder.finished(); }
    SweepState stopping() const override;
    void waiting() override;
    void turn(std::uint64_t run, const RecordedTurn& turn) override { inOrder.turn(run, turn); }
    void end(std::uint64_t run, const RunEnd& end) override { inOrder.end(run, end); }

private:
    SweepOptions options;
    RunSequence sequence;
    TableColumns table;
    SummaryColumns summary;
    SinkList sinks;
    OrderedRuns inOrder;
    // While the workers play: what to call with the progress, and what
    // stopped the sweep (Ctrl+C, a failing progress), to be raised after.
    const pybind11::object* progressCall = nullptr;
    std::uint64_t progressShown = 0;
    std::optional<pybind11::error_already_set> stoppedBy;
};
