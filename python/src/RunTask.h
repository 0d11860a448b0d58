#pragma once
// One run of a sweep as a task that any process holding the module can play: a
// worker of a concurrent.futures executor, a dask worker, an MPI rank. The task
// is plain data, the run's request (tools/sweep/ExperimentRun.h) taken apart,
// and its answer is the run's reports in the worker protocol's bytes
// (tools/sweep/workers/WorkerProtocol.h), read back by the sweep as it reads a
// forked worker's pipe.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/sweep/ExperimentRun.h"

struct RunTask {
    std::string configFile;
    std::string settingsText;
    std::vector<std::pair<std::string, std::string>> lines;
    unsigned seed = 1;
    std::uint64_t turns = 0;
    std::uint64_t every = 1;

    static RunTask of(const RunRequest& request);
    RunRequest request() const;
};

// Plays the run with dice of its own, holding the simulation (Simulation.h),
// and returns its reports. The caller has released the GIL.
std::string playRunTask(const RunTask& task);
