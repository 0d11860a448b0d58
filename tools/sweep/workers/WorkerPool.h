#pragma once
// The worker processes of lurkfield-sweep: every run is played in a process of
// its own, forked from the sweep (the simulation keeps one World per process),
// and reports over a pipe in the worker protocol (WorkerProtocol.h).
//
// What the pool provides and honours:
//   - at most `jobs` workers at once; a run starts only while it lies fewer than
//     2 x jobs runs ahead of the next run to be written, so the reports held
//     for later runs stay a few runs' worth, however long one run takes;
//   - a worker plays its run with playRun, writes its reports as they come
//     (buffered, protocol::chunkBytes at a time) and ends with _exit, never flushing anything
//     of the sweep's; it ignores SIGINT and SIGTERM (the sweep decides when
//     workers stop) and is killed by the kernel if the sweep dies first;
//   - a worker that ends without its END (out of memory when the kernel killed
//     it, a crash) ends its run as Failed with the exit status or signal, and
//     the sweep goes on; its reports before that stay;
//   - on interruption or a failed output, every worker is killed (SIGKILL) and
//     reaped before playAll returns: no worker outlives the sweep.
// POSIX only (fork, pipe, poll); Linux adds the death signal.
#include <string>

#include "tools/sweep/RunPlayer.h"

class WorkerPool : public RunPlayer {
public:
    // `jobs` workers at most at once, at least one.
    explicit WorkerPool(unsigned jobs);

    std::string description() const override;
    SweepState playAll(RunResults& results) override;

    // The number of processor cores this process may use.
    static unsigned cores();

private:
    unsigned jobs;
};
