// lurkfield-sweep-mpi: the sweep of lurkfield-sweep over the ranks of an MPI
// job (mpirun -np N lurkfield-sweep-mpi ...). Rank 0 writes the same bytes as
// lurkfield-sweep; the other ranks play runs as they become free.
#include <cstdlib>
#include <iostream>
#include <mpi.h>
#include <string>
#include <vector>

#include "Version.h"
#include "tools/common/UsageError.h"
#include "tools/sweep/SweepSession.h"
#include "tools/sweep/workers/Interruption.h"
#include "tools/sweep/workers/MpiRuns.h"

namespace {

// Whether this process is rank 0 (or not started by mpirun at all), read before
// MPI is started: only rank 0 prints the usage, help and version.
bool firstRankByEnvironment() {
    for (const char* name : {"OMPI_COMM_WORLD_RANK", "PMI_RANK", "PMIX_RANK"}) {
        if (const char* rank = std::getenv(name))
            return std::string(rank) == "0";
    }
    return true;
}

int writeAndCoordinate(const SweepOptions& options, const std::vector<std::string>& commandLine) {
    interruption::install();
    mpiruns::Ranks ranks;
    SweepSession session(options, commandLine, "lurkfield-sweep-mpi", ranks);
    const int status = session.run();
    // Ranks may be in the middle of a run: only an abort stops them now.
    if (session.state() == SweepState::Interrupted)
        MPI_Abort(MPI_COMM_WORLD, 128 + interruption::signalNumber());
    if (session.state() == SweepState::WriteFailed)
        MPI_Abort(MPI_COMM_WORLD, status);
    mpiruns::stopRanks();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> commandLine(argv, argv + argc);
    const std::vector<std::string> args(commandLine.begin() + 1, commandLine.end());
    const bool speaks = firstRankByEnvironment();
    SweepOptions options;
    try {
        options = readSweepOptions(args, SweepProgram::Mpi);
    } catch (const UsageError& error) {
        if (speaks)
            std::cerr << error.what() << '\n' << sweepUsage(SweepProgram::Mpi);
        return 2;
    }
    if (options.help || options.version) {
        if (speaks)
            std::cout << (options.help ? sweepUsage(SweepProgram::Mpi)
                                       : "lurkfield-sweep-mpi " LURKFIELD_VERSION "\n");
        return 0;
    }
    MPI_Init(&argc, &argv);
    int rank = 0;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    int status = 0;
    if (std::string problem; !mpiruns::shareSettings(options, problem)) {
        if (rank == 0)
            std::cerr << "lurkfield-sweep-mpi: cannot read the settings file '"
                      << options.configFile << "': " << problem << '\n';
        status = 1;
    } else if (rank == 0)
        status = writeAndCoordinate(options, commandLine);
    else
        mpiruns::serve([&](std::uint64_t run) { return options.request(run); });
    MPI_Finalize();
    return status;
}
