#include "PythonSweep.h"

#include "tools/common/UsageError.h"
#include "tools/sweep/workers/WorkerPool.h"
#include "tools/sweep/workers/WorkerProtocol.h"

namespace py = pybind11;

PythonSweep::PythonSweep(const std::vector<std::string>& args, std::string configFile,
                         std::string text)
    : options(readSweepOptions(args, SweepProgram::Forked)), sequence(options.sequence()),
      inOrder(sequence, sinks) {
    options.configFile = std::move(configFile);
    options.settingsText = std::make_shared<const std::string>(std::move(text));
}

unsigned PythonSweep::jobs() const { return options.jobs > 0 ? options.jobs : WorkerPool::cores(); }

void PythonSweep::playOnWorkers(const py::object& progress) {
    progressCall = &progress;
    WorkerPool pool(jobs());
    {
        py::gil_scoped_release free;
        pool.playAll(*this);
    }
    progressCall = nullptr;
    if (stoppedBy) {
        py::error_already_set stop = std::move(*stoppedBy);
        stoppedBy.reset();
        throw stop;
    }
    progress(runsEnded());
}

void PythonSweep::report(std::uint64_t run, const std::string& reports) {
    protocol::Decoder decoder;
    RunForwarder forwarder(*this, run);
    if (!decoder.feed(reports, forwarder) || !decoder.ended())
        end(run, {RunOutcome::Failed, 0, std::nullopt, "the task sent something that is not a run's report"});
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
