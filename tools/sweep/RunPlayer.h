#pragma once
// The way between a sweep's session and whoever plays its runs: forked worker
// processes (workers/WorkerPool.h) or MPI ranks (workers/MpiRuns.h). The
// session hands the player its RunResults; the player asks them which runs to
// play and with what, hands every report back as it arrives, in any order, and
// asks whether to stop. Nothing flows the other way: a player knows nothing of
// files, progress or plots.
#include <cstdint>
#include <string>

#include "tools/sweep/ExperimentRun.h"
#include "tools/sweep/RunPlan.h"
#include "tools/sweep/RunSink.h"

// How a sweep stands: still running, or how it ended.
enum class SweepState { Running, Complete, Interrupted, WriteFailed };

class RunResults : public RunSink {
public:
    // The runs to play, in order: the whole plan's or one shard's.
    virtual const RunSequence& runs() const = 0;
    virtual RunRequest request(std::uint64_t run) const = 0;
    // Whether the run at `position` of the sequence may start now, with
    // `players` playing at once.
    virtual bool mayStart(std::uint64_t position, std::uint64_t players) const = 0;
    // True once every run of the sequence has ended.
    virtual bool finished() const = 0;
    // Interrupted or WriteFailed once the sweep must stop; Running meanwhile.
    virtual SweepState stopping() const = 0;
    // Called now and then while the player waits for reports.
    virtual void waiting() = 0;
};

class RunPlayer {
public:
    virtual ~RunPlayer() = default;
    // Who plays the runs, for the record: "2 worker processes at once (--jobs 2)".
    virtual std::string description() const = 0;
    // Plays every run; Complete, or the state that stopping() gave. No run is
    // being played any more when it returns.
    virtual SweepState playAll(RunResults& results) = 0;
};
