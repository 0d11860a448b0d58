#include "PythonSweep.h"

#include <memory>

#include "tools/common/UsageError.h"
#include "tools/sweep/workers/WorkerPool.h"
#include "tools/sweep/workers/WorkerProtocol.h"

namespace py = pybind11;

TableColumns::TableColumns(const RunPlan& runPlan)
    : plan(runPlan), columns(runPlan.variedKeys()) {}

void TableColumns::turn(std::uint64_t run, const RecordedTurn& turn) {
    if (!row || row->run != run) {
        row.emplace();
        static_cast<RunFields&>(*row) = RunFields::of(plan, run);
    }
    row->turn = turn.turn;
    row->census = turn.census;
    columns.add(*row);
}

SummaryColumns::SummaryColumns(const RunPlan& runPlan)
    : plan(runPlan), columns(runPlan.variedKeys()) {}

void SummaryColumns::turn(std::uint64_t, const RecordedTurn& turn) { census.record(turn); }

void SummaryColumns::end(std::uint64_t run, const RunEnd& end) {
    columns.add(SummaryRow::of(RunFields::of(plan, run), census.start, census.last, end));
    census = {};
}

PythonSweep::PythonSweep(const std::vector<std::string>& args, std::string configFile,
                         std::string text)
    : options(readSweepOptions(args, SweepProgram::Forked)), sequence(options.sequence()),
      table(options.plan), summary(options.plan), inOrder(sequence, sinks) {
    options.configFile = std::move(configFile);
    options.settingsText = std::make_shared<const std::string>(std::move(text));
    sinks.add(table);
    sinks.add(summary);
}

unsigned PythonSweep::jobs() const { return options.jobs > 0 ? options.jobs : WorkerPool::cores(); }

void PythonSweep::playOnWorkers(const py::object& progress) {
    WorkerPool pool(jobs());
    {
        progressCall = &progress;
        // The call is forgotten on every way out, before `progress` can be gone.
        const std::unique_ptr<const py::object*, void (*)(const py::object**)> forget(
            &progressCall, [](const py::object** call) { *call = nullptr; });
        py::gil_scoped_release free;
        pool.playAll(*this);
    }
    if (stoppedBy) {
        py::error_already_set stop = std::move(*stoppedBy);
        stoppedBy.reset();
        throw stop;
    }
    progress(runsEnded());
}

void PythonSweep::report(std::uint64_t run, const std::string& reports) {
    protocol::Decoder decoder;
    std::uint64_t lastTurn = 0;
    RunForwarder forwarder(*this, run, &lastTurn);
    if (!decoder.feed(reports, forwarder) || !decoder.ended())
        end(run, {RunOutcome::Failed, lastTurn, std::nullopt,
                  "the task sent something that is not a run's report"});
}

void PythonSweep::fail(std::uint64_t run, const std::string& why) {
    end(run, {RunOutcome::Failed, 0, std::nullopt, why});
}

SweepState PythonSweep::stopping() const {
    return stoppedBy ? SweepState::Interrupted : SweepState::Running;
}

void PythonSweep::waiting() {
    if (stoppedBy || progressCall == nullptr)
        return;
    py::gil_scoped_acquire python;
    try {
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
        if (runsEnded() != progressShown) {
            progressShown = runsEnded();
            (*progressCall)(progressShown);
        }
    } catch (py::error_already_set& stop) {
        stoppedBy = std::move(stop);
    }
}
