#pragma once
// The worker protocol over MPI, for lurkfield-sweep-mpi. Rank 0 writes the
// files and hands out runs; every other rank plays runs with playRun, one World
// at a time, and reports each in the protocol's messages (WorkerProtocol.h).
//
// Messages (MPI_BYTE, MPI_COMM_WORLD):
//   tag 1 PLAY    rank 0 -> rank: the run to play (u64, little endian)
//   tag 2 STOP    rank 0 -> rank: no more runs (empty)
//   tag 3 REPORT  rank -> rank 0: the run (u64) and then protocol bytes, a
//                 chunk of them (protocol::chunkBytes) a message; the last message of a run
//                 holds its END
// What it provides and honours:
//   - runs go to ranks as they become free, in run order, and only while a run
//     lies fewer than 2 x (ranks - 1) runs ahead of the next run to be written,
//     so rank 0 holds a few runs' reports at most;
//   - with one rank only, rank 0 plays every run itself;
//   - waiting ranks poll with short sleeps instead of MPI's busy wait, so more
//     ranks than cores (mpirun --oversubscribe) do not starve the players;
//   - a rank that runs out of memory reports its run (OutOfMemory) and goes on;
//     a rank that dies ends the whole job, as MPI does.
// Every rank must be given the same command line; only rank 0 reads the
// settings file, and hands its text to the others (shareSettings).
#include <cstdint>
#include <functional>
#include <string>

#include "tools/sweep/ExperimentRun.h"
#include "tools/sweep/RunPlayer.h"
#include "tools/sweep/SweepOptions.h"

namespace mpiruns {

// Every rank, before any run: rank 0 reads the settings file and sends its
// text to the other ranks, which need no file. False on every rank when rank 0
// cannot read it; rank 0 then has the reason in `problem`.
bool shareSettings(SweepOptions& options, std::string& problem);

// Rank 0: plays the runs on the other ranks, or itself when alone.
class Ranks : public RunPlayer {
public:
    std::string description() const override;
    SweepState playAll(RunResults& results) override;
};

// Every other rank: plays the runs it is given until rank 0 says stop.
void serve(const std::function<RunRequest(std::uint64_t run)>& requestFor);

// Tells every other rank to stop (rank 0, once the sweep is over).
void stopRanks();

} // namespace mpiruns
